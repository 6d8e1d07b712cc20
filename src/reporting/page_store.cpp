#include "reporting/page_store.h"

#include <QDir>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace bb {

PageStore::PageStore() = default;
PageStore::~PageStore() = default;

std::string PageStore::Folder() const {
    return folder_ ? folder_->path().toStdString() : std::string();
}

std::string PageStore::fileOf(int number) const {
    char name[32];
    std::snprintf(name, sizeof name, "/page-%06d", number);
    return Folder() + name;
}

bool PageStore::Add(const Page& page) {
    if (!folder_) {
        folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/brokerbook-pages-XXXXXX");
        if (!folder_->isValid()) {
            error_ = "No folder for the report's pages could be made in " +
                     QDir::tempPath().toStdString() + ": " + folder_->errorString().toStdString();
            folder_.reset();
            return false;
        }
    }
    const std::string path = fileOf(count_ + 1);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = encodePage(page);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error_ = "Page " + std::to_string(count_ + 1) + " of the report could not be written to " +
                 path + " (is the disk full?).";
        return false;
    }
    ++count_;
    return true;
}

std::optional<Page> PageStore::Load(int number) const {
    if (number < 1 || number > count_) {
        error_ = "The report has no page " + std::to_string(number) + ".";
        return std::nullopt;
    }
    const std::string path = fileOf(number);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::optional<Page> page = in.bad() ? std::nullopt : decodePage(bytes);
    if (!page)
        error_ = "Page " + std::to_string(number) + " of the report could not be read from " +
                 path + ".";
    return page;
}

void PageStore::Clear() {
    folder_.reset();  // removes the folder with its files
    count_ = 0;
}

}  // namespace bb
