#include "pdf_reading.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <regex>

namespace bb::test {

namespace {

std::string run(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed (install poppler-utils): "
                      << tool.readAllStandardError().toStdString();
        return {};
    }
    return tool.readAllStandardOutput().toStdString();
}

}  // namespace

std::string pdfText(const std::string& path, int first, int last) {
    QStringList args{"-layout"};
    if (first > 0) args << "-f" << QString::number(first);
    if (last > 0) args << "-l" << QString::number(last);
    return run("pdftotext", args << QString::fromStdString(path) << "-");
}

std::string pdfInfo(const std::string& path, const std::string& entry) {
    const QString report = QString::fromStdString(run("pdfinfo", {QString::fromStdString(path)}));
    for (const QString& line : report.split('\n')) {
        if (line.startsWith(QString::fromStdString(entry + ":")))
            return line.mid(static_cast<int>(entry.size()) + 1).trimmed().toStdString();
    }
    return {};
}

std::vector<PdfWord> pdfWords(const std::string& path) {
    const std::string html = run("pdftotext", {"-bbox", QString::fromStdString(path), "-"});
    static const std::regex word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
        "yMax=\"([0-9.]+)\">([^<]*)</word>");
    std::vector<PdfWord> words;
    int pageNumber = 0;
    std::size_t at = 0;
    while (at < html.size()) {
        const std::size_t nextPage = html.find("<page ", at);
        const std::size_t nextWord = html.find("<word ", at);
        if (nextWord == std::string::npos) break;
        if (nextPage != std::string::npos && nextPage < nextWord) {
            ++pageNumber;
            at = nextPage + 1;
            continue;
        }
        const std::size_t end = html.find("</word>", nextWord);
        std::smatch m;
        const std::string one = html.substr(nextWord, end + 7 - nextWord);
        if (std::regex_match(one, m, word))
            words.push_back({pageNumber, std::stod(m[1]), std::stod(m[2]), std::stod(m[3]),
                             std::stod(m[4]), m[5]});
        at = end;
    }
    return words;
}

}  // namespace bb::test
