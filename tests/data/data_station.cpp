// A second station for the data-layer tests: a separate process with its own
// managers, working on the same data folder.
//
//   data_station insert <folder> <count> [customers]
//                                           numbers and inserts transactions (or
//                                           customers); reports failures and
//                                           messages shown
//   data_station reserve <folder> [account] reserves a customer, adds a phone
//                                           (and an account) to it, then
//                                           waits to be killed
//   data_station delete <folder> <customer> deletes the customer with all
//                                           that cascades from it
//   data_station work <folder> <seconds>    adds customers (each with a phone
//                                           and a place to ship to), changes any
//                                           customer and deletes its own ones
//                                           with all that cascades, at random;
//                                           reports its failures and the
//                                           numbers of its customers left
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "platform/message_service.h"
#include "platform/runtime.h"

using namespace bb;

namespace {

// Keeps the titles of the messages this station would have shown, and
// answers each with its default button.
class CountingMessages final : public MessageService {
public:
    Button show(const MessageRequest& request) override {
        titles += "|" + request.title;
        last = request.title + ": " + request.text;
        return request.defaultButton;
    }
    void beep(Beep) override {}
    std::string titles;
    std::string last;  // the last message in full
};

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// A new customer with a phone and a place to ship to, marked as this
// station's; its number, or 0 when something of it failed.
std::int32_t addCustomer(DataDictionary& dictionary, const std::string& tag) {
    FileManager& members = dictionary.files(FileId::Members);
    if (members.PrimeNewRecord() != SeverityNone) return 0;
    MBR::LASTNAME.set(tag);
    if (members.Insert() != SeverityNone) return 0;
    const std::int32_t number = MBR::MEMBERNUMBER.get();
    FileManager& phones = dictionary.files(FileId::MPhones);
    buffer(FileId::MPhones).clear();
    phones.SeedNewRecord();
    MPH::MEMBERNUMBER.set(number);
    MPH::PHONENUMBER.set("5550100");
    if (phones.Insert() != SeverityNone) return 0;
    FileManager& places = dictionary.files(FileId::ShipTo);
    buffer(FileId::ShipTo).clear();
    places.SeedNewRecord();
    SHI::MEMBERNUMBER.set(number);
    SHI::LOCATIONNUMBER.set(1);
    SHI::LOCATION.set("Main office");
    return places.Insert() == SeverityNone ? number : 0;
}

int work(DataDictionary& dictionary, int seconds, const std::string& messages) {
    FileManager& members = dictionary.files(FileId::Members);
    for (FileId id : {FileId::Members, FileId::MPhones, FileId::ShipTo}) {
        if (dictionary.files(id).Open() != SeverityNone) return 3;
    }
    const std::string tag = "station " + std::to_string(getpid());
    std::mt19937 random(static_cast<unsigned>(getpid()));
    std::vector<std::int32_t> mine;
    std::int32_t highest = 1;
    int failed = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        const unsigned what = random() % 4;
        if (what < 2 || mine.empty()) {
            const std::int32_t number = addCustomer(dictionary, tag);
            if (number == 0) ++failed;
            if (number != 0) mine.push_back(number);
            highest = std::max(highest, number);
            continue;
        }
        if (what == 2) {
            // Anyone's customer: another station may be changing or deleting it.
            MBR::MEMBERNUMBER.set(static_cast<std::int32_t>(random() % highest) + 1);
            if (members.FetchQuietly(MBR::key::MEMBERKEY) != SeverityNone) continue;
            MBR::COMPANYNAME.set("changed by " + tag);
            members.UpdateQuietly();
            continue;
        }
        const std::size_t at = random() % mine.size();
        MBR::MEMBERNUMBER.set(mine[at]);
        if (members.FetchQuietly(MBR::key::MEMBERKEY) != SeverityNone ||
            dictionary.relations(FileId::Members).Delete(false) != SeverityNone) {
            continue;  // held by a station changing it: tried again later
        }
        mine.erase(mine.begin() + static_cast<std::ptrdiff_t>(at));
    }
    std::string numbers;
    for (std::int32_t n : mine) numbers += " " + std::to_string(n);
    say("worked " + std::to_string(failed) + numbers + messages);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string command = argv[1];
    useDataFolder(argv[2]);
    CountingMessages messages;
    installMessageService(&messages);
    // A fatal error ends the station: it says why first.
    setHaltHandler([&messages](int, std::string_view) { say("halted " + messages.last); });
    loadProgram();
    ErrorManager errors;
    errors.Setup();
    DataDictionary& dictionary = dataDictionary();
    dictionary.Setup(errors);

    if (command == "insert" && (argc == 4 || argc == 5)) {
        const bool customers = argc == 5 && std::string(argv[4]) == "customers";
        FileManager& file = dictionary.files(customers ? FileId::Members : FileId::Transactions);
        if (file.Open() != SeverityNone) return 3;
        int failed = 0;
        for (int i = 0; i < std::atoi(argv[3]); ++i) {
            if (file.PrimeNewRecord() != SeverityNone) {
                ++failed;
                continue;
            }
            const std::string by = "by " + std::to_string(getpid());
            if (customers) {
                MBR::COMPANYNAME.set(by);
            } else {
                TRN::DESCRIPTION.set(by);
            }
            if (file.Insert() != SeverityNone) ++failed;
        }
        say("done " + std::to_string(failed) + messages.titles);
        return 0;
    }
    if (command == "delete" && argc == 4) {
        FileManager& members = dictionary.files(FileId::Members);
        if (members.Open() != SeverityNone) return 3;
        MBR::MEMBERNUMBER.set(std::atoi(argv[3]));
        if (members.Fetch(MBR::key::MEMBERKEY) != SeverityNone) return 4;
        say("deleting");
        const Severity result = dictionary.relations(FileId::Members).Delete(false);
        say("deleted " + std::to_string(result));
        return 0;
    }
    if (command == "work" && argc == 4)
        return work(dictionary, std::atoi(argv[3]), messages.titles);
    if (command == "reserve") {
        FileManager& members = dictionary.files(FileId::Members);
        FileManager& phones = dictionary.files(FileId::MPhones);
        if (members.Open() != SeverityNone || phones.Open() != SeverityNone) return 3;
        if (members.PrimeNewRecord() != SeverityNone) return 4;
        phones.PrimeNewRecord();
        MPH::MEMBERNUMBER.set(MBR::MEMBERNUMBER.get());
        MPH::PHONENUMBER.set("5551234567");
        if (phones.Insert() != SeverityNone) return 5;
        if (argc == 4 && std::string(argv[3]) == "account") {
            FileManager& accounts = dictionary.files(FileId::AccountRegistration);
            if (accounts.Open() != SeverityNone || accounts.PrimeNewRecord() != SeverityNone)
                return 6;
            ACC::MEMBERNUMBER.set(MBR::MEMBERNUMBER.get());
            if (accounts.Insert() != SeverityNone) return 7;
        }
        say("reserved " + std::to_string(MBR::MEMBERNUMBER.get()));
        while (true) pause();
    }
    return 2;
}
