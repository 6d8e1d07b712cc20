// A second station for the storage tests: a separate process that works on
// the same data folder as the test and reports each step on its output.
//
//   storage_station add <folder> <count> <first-number>
//   storage_station change <folder> <member-number> <company>
//   storage_station delete <folder> <member-number>
//   storage_station hold <folder> <member-number>       (then waits to be killed)
//   storage_station transaction <folder> <count>        (then waits to be killed)
//   storage_station reserve <folder> <member-number>    (then waits to be killed)
//   storage_station hold-at <folder> <file> <position>  (then waits to be killed)
//   storage_station stale <folder>                      the numbers of the customers
//                                                       whose stations died reserving them
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "dictionary/files.h"
#include "platform/storage.h"
#include "storage/open_storage.h"

using namespace bb;

namespace {

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

[[noreturn]] void waitToBeKilled() {
    while (true) pause();
}

int add(StorageFile& members, int count, int first) {
    Record& r = buffer(FileId::Members);
    for (int i = 0; i < count; ++i) {
        r.clear();
        MBR::MEMBERNUMBER.set(first + i);
        MBR::COMPANYNAME.set("Station " + std::to_string(first));
        const DriverStatus s = members.add(r);
        if (!s.ok()) {
            say("failed " + std::to_string(s.code) + " " + s.engineText);
            return 1;
        }
    }
    say("done");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string command = argv[1];
    auto storage = openDataStorage(argv[2]);
    auto members = storage->file(fileDef(FileId::Members));
    if (!members->open(kSharedReadWrite).ok()) return 3;
    Record& r = buffer(FileId::Members);
    if (command == "add" && argc == 5) return add(*members, std::atoi(argv[3]), std::atoi(argv[4]));
    if ((command == "change" || command == "hold" || command == "delete") && argc >= 4) {
        MBR::MEMBERNUMBER.set(std::atoi(argv[3]));
        if (!members->get(MBR::key::MEMBERKEY, r).ok()) return 4;
        if (command == "delete") {
            say("deleted " + std::to_string(members->erase().code));
            return 0;
        }
        if (command == "change") {
            MBR::COMPANYNAME.set(argv[4]);
            say("changed " + std::to_string(members->put(r).code));
            return 0;
        }
        say("held " + std::to_string(members->hold().code));
        waitToBeKilled();
    }
    if (command == "hold-at" && argc == 5) {
        const auto id = fileByLabel(argv[3]);
        if (!id) return 2;
        auto file = storage->file(fileDef(*id));
        if (!file->open(kSharedReadWrite).ok() || !file->getAtPosition(argv[4], buffer(*id)).ok())
            return 4;
        say("held " + std::to_string(file->hold().code));
        waitToBeKilled();
    }
    if (command == "reserve" && argc == 4) {
        r.clear();
        MBR::MEMBERNUMBER.set(std::atoi(argv[3]));
        say("reserved " + std::to_string(members->add(r, true).code));
        waitToBeKilled();
    }
    if (command == "stale") {
        std::string numbers;
        for (const std::string& position : members->staleReservations()) {
            if (!members->getAtPosition(position, r).ok()) return 4;
            numbers += " " + std::to_string(MBR::MEMBERNUMBER.get());
        }
        say("stale" + numbers);
        return 0;
    }
    if (command == "transaction" && argc == 4) {
        auto log = storage->file(fileDef(FileId::Log));
        if (!log->open(kSharedReadWrite).ok() || !storage->begin(2000).ok()) return 5;
        const int count = std::atoi(argv[3]);
        for (int i = 0; i < count; ++i) {
            r.clear();
            MBR::MEMBERNUMBER.set(100000 + i);
            if (!members->add(r).ok()) return 6;
            buffer(FileId::Log).clear();
            LOG::LOGNUMBER.set(100000 + i);
            if (!log->add(buffer(FileId::Log)).ok()) return 7;
        }
        say("inside");
        waitToBeKilled();
    }
    return 2;
}
