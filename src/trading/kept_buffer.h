// A look-up that leaves a file's record buffer as it found it: the buffer
// is copied when the guard is made and put back when it goes, so a list or
// form behind the caller keeps its record. Used from the GUI thread only.
#pragma once

#include "data/file_manager.h"
#include "dictionary/files.h"

namespace bb {

class KeptBuffer {
public:
    // REQUIRES: the dictionary is set up.
    explicit KeptBuffer(FileId file) : file_(*fileManagerFor(file)), copy_(file_.SaveCopy()) {}
    ~KeptBuffer() { file_.RestoreCopy(copy_, true); }
    KeptBuffer(const KeptBuffer&) = delete;
    KeptBuffer& operator=(const KeptBuffer&) = delete;

    FileManager& file() { return file_; }
    // Clears the buffer, lets `keys` set the key's values and reads the
    // record key `key` finds; whether there is one.
    template <class SetKey>
    bool fetch(int key, SetKey keys) {
        file_.Buffer().clear();
        keys();
        return file_.FetchQuietly(key) == SeverityNone;
    }

private:
    FileManager& file_;
    int copy_;
};

}  // namespace bb
