// The page queue of a report: the pages it produced, in page order, with
// what it takes to draw them (the paper size and the fonts) and its title.
//
// Each page waits in a file of its own in a temporary folder that the store
// makes when the first page arrives and removes, files and all, when it is
// cleared or destroyed. Memory holds none of the pages, so a report of any
// length needs no more memory than the page being written.
//
// A failure to write or read a page file is an expected failure (a full or
// vanished disk): it is answered as a value with a sentence for the user in
// LastError(). Owned by the report run; used from the GUI thread only.
#pragma once

#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "reporting/page.h"
#include "reporting/report_font.h"
#include "reporting/report_units.h"

namespace bb {

struct PageSetup {
    std::string title;
    Mils width = kLetterWidth;
    Mils height = kLetterHeight;
    std::vector<ReportFont> fonts{ReportFont{}};
};

class PageStore {
public:
    PageStore();
    ~PageStore();
    PageStore(const PageStore&) = delete;
    PageStore& operator=(const PageStore&) = delete;

    // Appends a page; false when it could not be written.
    bool Add(const Page& page);
    int Count() const { return count_; }
    // Page `number`, counted from 1; nullopt when it cannot be read.
    std::optional<Page> Load(int number) const;
    // Forgets every page and removes their folder.
    void Clear();

    const std::string& LastError() const { return error_; }
    // The folder that holds the pages; empty before the first page.
    std::string Folder() const;

    PageSetup setup;

private:
    std::string fileOf(int number) const;

    std::unique_ptr<QTemporaryDir> folder_;
    int count_ = 0;
    mutable std::string error_;
};

}  // namespace bb
