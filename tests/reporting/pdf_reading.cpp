#include "pdf_reading.h"

#include <gtest/gtest.h>

#include <QProcess>

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

}  // namespace bb::test
