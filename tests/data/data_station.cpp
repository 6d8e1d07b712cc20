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
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "platform/message_service.h"

using namespace bb;

namespace {

// Keeps the titles of the messages this station would have shown, and
// answers each with its default button.
class CountingMessages final : public MessageService {
public:
    Button show(const MessageRequest& request) override {
        titles += "|" + request.title;
        return request.defaultButton;
    }
    void beep(Beep) override {}
    std::string titles;
};

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string command = argv[1];
    useDataFolder(argv[2]);
    CountingMessages messages;
    installMessageService(&messages);
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
