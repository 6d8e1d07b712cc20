// The customer groups window over 1,000 groups of 100 members each
// (100,000 memberships of 10,000 customers): the window opened (with the
// customer list it opens beside it), the tree loaded with every group
// collapsed, every group expanded by Expand All (the members' names read by
// one joined read) against the same expanded one group at a time (a seek per
// group), and the tree loaded again after a customer joined a group, with
// every group still expanded. The book is built once in the temporary folder
// (brokerbook-bench-groups) and kept. Reading is timed by the clock.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "bench_book.h"
#include "bench_windows.h"
#include "customers/customer_procedures.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "peak_memory.h"
#include "ui/procedures.h"
#include "ui/tree_list.h"
#include "ui/window_ids.h"

namespace {

using namespace bb;

constexpr int kGroups = 1000;
constexpr int kMembersPerGroup = 100;
constexpr int kCustomers = 10000;

std::string groupName(int group) {
    std::string number = std::to_string(group);
    return "Group " + std::string(4 - number.size(), '0') + number;
}

void addCustomer(StorageFile& members, std::mt19937& random, int number) {
    Record& r = buffer(FileId::Members);
    r.clear();
    MBR::MEMBERNUMBER.set(number);
    MBR::MEMBERTYPE.set("Individual");
    MBR::COMPANYNAME.set(bench::companyName(random, number));
    MBR::MEMBERNAME.set(MBR::COMPANYNAME.get());
    MBR::FIRSTNAME.set("Pat");
    MBR::LASTNAME.set("Trader " + std::to_string(number));
    MBR::ACTIVE.set(1);
    members.add(r);
}

// Group g holds the 100 customers from g × 100 on, wrapping at the last.
std::filesystem::path buildBook() {
    return bench::keptBook(
        "groups", {FileId::Committees, FileId::Commbrs, FileId::Members},
        [](std::vector<std::unique_ptr<StorageFile>>& files) {
            std::mt19937 random(7);
            for (int number = 1; number <= kCustomers; ++number)
                addCustomer(*files[2], random, number);
            for (int group = 0; group < kGroups; ++group) {
                buffer(FileId::Committees).clear();
                COM::COMMITTEE.set(groupName(group));
                files[0]->add(buffer(FileId::Committees));
                for (int member = 0; member < kMembersPerGroup; ++member) {
                    buffer(FileId::Commbrs).clear();
                    CMBRS::COMMITTEE.set(groupName(group));
                    CMBRS::MEMBERNUMBER.set((group * kMembersPerGroup + member) % kCustomers + 1);
                    files[1]->add(buffer(FileId::Commbrs));
                }
            }
        });
}

class Program {
public:
    Program() : program_(buildBook(), "groups_bench") { registerCustomerProcedures(procedures()); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    static void open() {
        procedures().call("CommitteeAssignments");
        bench::settle();
    }
    static TreeList& tree() {
        return *startedWindow(processValues().GroupsWindowThread)->Tree("Customer groups");
    }
    static void close() { bench::StartedProgram::closeWindows(); }

private:
    bench::StartedProgram program_;
};

void report(benchmark::State& state) {
    const TreeList& tree = Program::tree();
    int members = 0;
    for (const std::string& group : tree.Owners())
        members += static_cast<int>(tree.Children(group).size());
    state.counters["groups"] = static_cast<double>(tree.Owners().size());
    state.counters["members shown"] = members;
    state.counters["peak MB"] = bench::peakMemoryMegabytes();
}

// The window and the customer list beside it, the tree collapsed.
void OpenGroupsWindow(benchmark::State& state) {
    const Program program;
    for (auto _ : state) {
        Program::open();
        state.PauseTiming();
        report(state);
        Program::close();
        state.ResumeTiming();
    }
}

void LoadCollapsed(benchmark::State& state) {
    const Program program;
    Program::open();
    for (auto _ : state) Program::tree().ContractAll();
    report(state);
}

void ExpandAll(benchmark::State& state) {
    const Program program;
    Program::open();
    for (auto _ : state) {
        state.PauseTiming();
        Program::tree().ContractAll();
        state.ResumeTiming();
        Program::tree().ExpandAll();
    }
    report(state);
}

// The baseline: every group expanded in turn, each group's members read by
// a seek of their own.
void ExpandEachGroup(benchmark::State& state) {
    const Program program;
    Program::open();
    for (auto _ : state) {
        state.PauseTiming();
        Program::tree().ContractAll();
        state.ResumeTiming();
        for (const std::string& group : Program::tree().Owners())
            Program::tree().ExpandOwner(group);
    }
    report(state);
}

// A customer joined a group (the add untimed); the tree loaded again with
// every group expanded, as a drop leaves it.
void ReloadAfterDrop(benchmark::State& state) {
    const Program program;
    Program::open();
    Program::tree().ExpandAll();
    FileManager& memberships = *fileManagerFor(FileId::Commbrs);
    // The drop is the window's: its files are open under its id.
    const ThreadScope thread(processValues().GroupsWindowThread);
    for (auto _ : state) {
        state.PauseTiming();
        buffer(FileId::Commbrs).clear();
        CMBRS::COMMITTEE.set(groupName(kGroups / 2));
        CMBRS::MEMBERNUMBER.set(kCustomers);
        memberships.Insert();
        const std::string added = memberships.Position();
        state.ResumeTiming();
        Program::tree().ReloadRows(true);
        Program::tree().Highlight(2, added);
        state.PauseTiming();
        report(state);
        relationManagerFor(FileId::Commbrs)->Delete(false);
        state.ResumeTiming();
    }
}

BENCHMARK(OpenGroupsWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LoadCollapsed)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ExpandAll)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ExpandEachGroup)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReloadAfterDrop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
