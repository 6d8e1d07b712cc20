// Key orders: directions, no-case comparison, blank-excluded entries, unique
// keys, and reading in batches from any starting point.
#include <algorithm>
#include <random>
#include <tuple>

#include "platform/text.h"
#include "storage_fixture.h"

namespace bb::test {
namespace {

using Keys = EngineTest;
BB_ON_BOTH_ENGINES(Keys);

TEST_P(Keys, ByNameKeepsBlankNamesAndIgnoresCase) {
    auto members = openFile(FileId::Members);
    const std::pair<int, const char*> people[] = {
        {1, "carter"}, {2, "Adams"}, {3, ""}, {4, "baker"}, {5, ""}};
    for (const auto& [n, last] : people) {
        add(*members, [&] {
            MBR::MEMBERNUMBER.set(n);
            MBR::LASTNAME.set(last);
        });
    }
    const auto order = walk(*members, MBR::key::NAMEKEY, [] { return MBR::MEMBERNUMBER.get(); });
    EXPECT_EQ(order, (std::vector<std::int32_t>{3, 5, 2, 4, 1}));
}

TEST_P(Keys, BlankExcludedKeysSkipBlankEntries) {
    auto members = openFile(FileId::Members);
    add(*members, [] {
        MBR::MEMBERNUMBER.set(1);
        MBR::COMPANYNAME.set("Zeta");
    });
    add(*members, [] { MBR::MEMBERNUMBER.set(2); });
    add(*members, [] {
        MBR::MEMBERNUMBER.set(3);
        MBR::COMPANYNAME.set("alpha");
    });
    const auto byCompany =
        walk(*members, MBR::key::COMPANYKEY, [] { return MBR::MEMBERNUMBER.get(); });
    EXPECT_EQ(byCompany, (std::vector<std::int32_t>{3, 1}));
    const auto byNumber = walk(*members, -1, [] { return MBR::MEMBERNUMBER.get(); });
    EXPECT_EQ(byNumber, (std::vector<std::int32_t>{1, 2, 3}));
}

// Deleting the entries of a key's leading values at once takes exactly what
// a walk of those values meets: case set aside where the key sets it aside,
// the blank entries of a blank-excluding key never.
TEST_P(Keys, ASetDeleteTakesExactlyTheEntriesOfItsLeadingValues) {
    auto members = openFile(FileId::Members);
    const std::tuple<int, const char*, const char*> people[] = {
        {1, "Adams", "Acme"}, {2, "ADAMS", ""}, {3, "Adamson", "acme"}, {4, "Baker", ""}};
    for (const auto& [n, last, company] : people) {
        add(*members, [&] {
            MBR::MEMBERNUMBER.set(n);
            MBR::LASTNAME.set(last);
            MBR::COMPANYNAME.set(company);
        });
    }
    struct Step {
        int key;
        FieldRef field;
        const char* value;
        std::vector<std::int32_t> left;
    };
    const Step steps[] = {
        {MBR::key::COMPANYKEY, MBR::COMPANYNAME, "", {1, 2, 3, 4}},
        {MBR::key::NAMEKEY, MBR::LASTNAME, "adams", {3, 4}},
        {MBR::key::COMPANYKEY, MBR::COMPANYNAME, "ACME", {4}},
    };
    Record values(fileDef(FileId::Members));
    for (const Step& s : steps) {
        values.clear();
        values.setText(s.field.index(), s.value);
        const auto erased =
            members->eraseLinked(LinkedRecords::range(members->def(), s.key, values, 1));
        ASSERT_TRUE(erased.has_value());
        EXPECT_TRUE(erased->ok()) << erased->code;
        EXPECT_EQ(walk(*members, -1, [] { return MBR::MEMBERNUMBER.get(); }), s.left) << s.value;
    }
}

// A level below a range: the customers of the classifications in the range,
// found and deleted as their key compares (case set aside), and a link
// that would cut its values (a company's 40-character name into an
// account's 34) left to the caller, which copies the values one by one.
TEST_P(Keys, ALevelBelowARangeTakesTheRecordsItsKeyFindsOrLeavesThemToTheCaller) {
    auto types = openFile(FileId::MembershipTypes);
    auto members = openFile(FileId::Members);
    add(*types, [] { TYP::MEMBERTYPE.set("Gold"); });
    const std::pair<int, const char*> people[] = {{1, "GOLD"}, {2, "Silver"}, {3, "gold"}};
    for (const auto& [n, level] : people) {
        add(*members, [&] {
            MBR::MEMBERNUMBER.set(n);
            MBR::SALESLEVEL.set(level);
        });
    }
    Record values(fileDef(FileId::MembershipTypes));
    values.setText(TYP::MEMBERTYPE.index(), "gOLD");
    const LinkedRecords customers{
        &values,
        1,
        {{&fileDef(FileId::MembershipTypes), TYP::key::MEMBERTYPEKEY, {}},
         {&fileDef(FileId::Members), MBR::key::TYPEKEY, {TYP::MEMBERTYPE.index()}}}};
    EXPECT_EQ(members->findLinked(customers), LinkedFound::Some);
    const auto erased = members->eraseLinked(customers);
    ASSERT_TRUE(erased.has_value());
    EXPECT_TRUE(erased->ok()) << erased->code;
    EXPECT_EQ(walk(*members, -1, [] { return MBR::MEMBERNUMBER.get(); }),
              std::vector<std::int32_t>{2});
    EXPECT_EQ(members->findLinked(customers), LinkedFound::None);

    auto accounts = openFile(FileId::AccountRegistration);
    Record company(fileDef(FileId::Vendors));
    (void)company.set(VEN::VENDORNUMBER.index(), Value::number(std::int64_t{1}));
    const LinkedRecords cut{&company,
                            1,
                            {{&fileDef(FileId::Vendors), VEN::key::VENDORNUMBERKEY, {}},
                             {&fileDef(FileId::AccountRegistration),
                              ACC::key::VENDORNUMBERKEY,
                              {VEN::VENDORNAME.index()}}}};
    EXPECT_FALSE(accounts->findLinked(cut).has_value());
    EXPECT_FALSE(accounts->eraseLinked(cut).has_value());
}

// A range rewritten at once: exactly the records its key finds (case set
// aside) take the new value, and a handle that read one of them before
// finds it changed, as after any other station's change.
TEST_P(Keys, ARangeRewritesTheRecordsItsKeyFindsAndOthersSeeThemChanged) {
    auto members = openFile(FileId::Members);
    const std::pair<int, const char*> people[] = {{1, "GOLD"}, {2, "Silver"}, {3, "gold"}};
    for (const auto& [n, level] : people) {
        add(*members, [&] {
            MBR::MEMBERNUMBER.set(n);
            MBR::SALESLEVEL.set(level);
        });
    }
    auto reader = openFile(FileId::Members);
    Record read(fileDef(FileId::Members));
    (void)read.set(MBR::MEMBERNUMBER.index(), Value::number(std::int64_t{1}));
    ASSERT_TRUE(reader->get(MBR::key::MEMBERKEY, read).ok());
    Record values(fileDef(FileId::Members));
    values.setText(MBR::SALESLEVEL.index(), "gOLD");
    Record now(fileDef(FileId::Members));
    now.setText(MBR::SALESLEVEL.index(), "Platinum");
    const auto rewritten = members->updateLinked(
        LinkedRecords::range(fileDef(FileId::Members), MBR::key::TYPEKEY, values, 1), now,
        {MBR::SALESLEVEL.index()});
    ASSERT_TRUE(rewritten.has_value());
    EXPECT_TRUE(rewritten->ok()) << rewritten->code;
    EXPECT_EQ(walk(*members, MBR::key::MEMBERKEY, [] { return MBR::SALESLEVEL.get(); }),
              (std::vector<std::string>{"Platinum", "Silver", "Platinum"}));
    EXPECT_EQ(reader->put(read).code, code::kRecordChanged);
}

TEST_P(Keys, UniqueKeysAllowAnyNumberOfBlanksButNoTwoEqualValues) {
    auto members = openFile(FileId::Members);
    add(*members, [] { MBR::MEMBERNUMBER.set(1); });
    add(*members, [] { MBR::MEMBERNUMBER.set(2); });
    add(*members, [] {
        MBR::MEMBERNUMBER.set(3);
        MBR::SALESTAXID.set("123-45-6789");
    });
    add(*members, [] {
        MBR::MEMBERNUMBER.set(4);
        MBR::SALESTAXID.set("ab-1");
    });

    Record& r = buffer(FileId::Members);
    r.clear();
    MBR::MEMBERNUMBER.set(5);
    MBR::SALESTAXID.set("AB-1");  // equal without regard to case
    const DriverStatus dup = members->add(r);
    EXPECT_EQ(dup.code, code::kDuplicateKey);
    EXPECT_EQ(dup.key, MBR::key::SALESTAXIDKEY);
    EXPECT_EQ(members->duplicateKey(r, false), MBR::key::SALESTAXIDKEY);

    MBR::SALESTAXID.set("");
    MBR::MEMBERNUMBER.set(3);
    EXPECT_EQ(members->duplicateKey(r, false), MBR::key::MEMBERKEY);
    EXPECT_EQ(members->add(r).key, MBR::key::MEMBERKEY);
    std::int64_t count = 0;
    ASSERT_TRUE(members->count(count).ok());
    EXPECT_EQ(count, 4);
}

TEST_P(Keys, TransactionOrdersMixDirections) {
    auto trades = openFile(FileId::Transactions);
    struct T {
        int number, account, member, date;
    };
    const T rows[] = {{1, 10, 7, 100}, {2, 10, 7, 300}, {3, 10, 7, 200},
                      {4, 10, 7, 300}, {5, 11, 7, 250}, {6, 10, 8, 50}};
    for (const T& t : rows) {
        add(*trades, [&] {
            TRN::TRANSACTIONNUMBER.set(t.number);
            TRN::REGISTRATIONNUMBER.set(t.account);
            TRN::MEMBERNUMBER.set(t.member);
            TRN::DATE.set(t.date);
            TRN::ACCOUNTCLASS.set("C");
        });
    }
    const auto number = [] { return TRN::TRANSACTIONNUMBER.get(); };
    // An account's transactions newest first: date, then number, both descending.
    EXPECT_EQ(walk(*trades, TRN::key::ACCOUNTREGISTRATIONNUMBERKEY, number),
              (std::vector<std::int32_t>{4, 2, 3, 1, 6, 5}));
    // By customer and account, newest date first, numbers ascending within a date.
    EXPECT_EQ(walk(*trades, TRN::key::MEMBERNUMBERKEY, number),
              (std::vector<std::int32_t>{2, 4, 3, 1, 5, 6}));
    EXPECT_EQ(walk(*trades, TRN::key::MEMBERNUMBERKEY, number, false),
              (std::vector<std::int32_t>{6, 5, 1, 3, 4, 2}));
    // All transactions newest first; equal dates in the order they were added.
    EXPECT_EQ(walk(*trades, TRN::key::DATEKEY, number),
              (std::vector<std::int32_t>{2, 4, 5, 3, 1, 6}));
}

TEST_P(Keys, PhoneNumbersByDescriptionDescendingThenNumber) {
    auto phones = openFile(FileId::VPhones);
    const std::tuple<int, const char*, const char*> rows[] = {{1, "Office", "5550002"},
                                                              {1, "Fax", "5550009"},
                                                              {1, "office", "5550001"},
                                                              {2, "Cell", "5550003"}};
    for (const auto& [vendor, description, number] : rows) {
        add(*phones, [&] {
            VPH::VENDORNUMBER.set(vendor);
            VPH::DESCRIPTION.set(description);
            VPH::PHONENUMBER.set(number);
        });
    }
    const auto order =
        walk(*phones, VPH::key::KEYVENDORNUMBER, [] { return VPH::PHONENUMBER.get(); });
    EXPECT_EQ(order, (std::vector<std::string>{"5550001", "5550002", "5550009", "5550003"}));
}

TEST_P(Keys, StartingPointsByValuesAndByPosition) {
    auto members = openFile(FileId::Members);
    const char* names[] = {"Adams", "Baker", "Baker", "Carter", "Davis"};
    for (int i = 0; i < 5; ++i) {
        add(*members, [&] {
            MBR::MEMBERNUMBER.set(i + 1);
            MBR::LASTNAME.set(names[i]);
        });
    }
    Record& r = buffer(FileId::Members);
    const int byName = MBR::key::NAMEKEY;
    // At "baker": forwards the first Baker, backwards the last Baker.
    r.clear();
    MBR::LASTNAME.set("baker");
    ASSERT_TRUE(members->setAt(byName, r, 1).ok());
    ASSERT_TRUE(members->next(r).ok());
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 2);
    MBR::LASTNAME.set("baker");
    ASSERT_TRUE(members->setAt(byName, r, 1).ok());
    ASSERT_TRUE(members->previous(r).ok());
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 3);
    // Between two names: forwards the next one.
    MBR::LASTNAME.set("Bz");
    ASSERT_TRUE(members->setAt(byName, r, 1).ok());
    ASSERT_TRUE(members->next(r).ok());
    EXPECT_EQ(MBR::LASTNAME.get(), "Carter");

    // A position brings the reads back to that record, either way.
    const std::string carter = members->position();
    ASSERT_TRUE(members->next(r).ok());
    ASSERT_TRUE(members->setAtPosition(byName, carter).ok());
    ASSERT_TRUE(members->previous(r).ok());
    EXPECT_EQ(MBR::LASTNAME.get(), "Carter");
    ASSERT_TRUE(members->previous(r).ok());
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 3);
    // Turning round reads the neighbour on the other side.
    ASSERT_TRUE(members->next(r).ok());
    EXPECT_EQ(MBR::LASTNAME.get(), "Carter");
}

TEST_P(Keys, TheEndOfTheOrderIsSticky) {
    auto members = openFile(FileId::Members);
    for (int i = 1; i <= 3; ++i) add(*members, [&] { MBR::MEMBERNUMBER.set(i); });
    Record& r = buffer(FileId::Members);
    ASSERT_TRUE(members->setStart(MBR::key::MEMBERKEY).ok());
    for (int i = 1; i <= 3; ++i) ASSERT_TRUE(members->next(r).ok());
    EXPECT_EQ(members->next(r).code, code::kRecordNotAvailable);
    EXPECT_EQ(members->next(r).code, code::kRecordNotAvailable);
    // Backwards from past the end: the last record first.
    ASSERT_TRUE(members->previous(r).ok());
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 3);
    ASSERT_TRUE(members->setStart(MBR::key::MEMBERKEY).ok());
    ASSERT_TRUE(members->previous(r).ok());
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 3);
}

// The walk goes on from the record it read last, whatever the caller then
// wrote into its buffer, across batch edges and turns of direction.
TEST_P(Keys, AWalkIsNotMovedByWhatTheCallerWritesIntoItsBuffer) {
    auto members = openFile(FileId::Members);
    for (int i = 1; i <= 150; ++i) {
        add(*members, [&] {
            MBR::MEMBERNUMBER.set(i);
            MBR::LASTNAME.set("Name " + std::to_string(1000 + i));
        });
    }
    Record& r = buffer(FileId::Members);
    ASSERT_TRUE(members->setStart(MBR::key::NAMEKEY).ok());
    std::int32_t expected = 0;
    // Forwards past two batch edges, back over one, forwards to the end.
    for (const int steps : {90, -50, 150}) {
        const bool forward = steps > 0;
        for (int k = 0; k < std::abs(steps); ++k) {
            const DriverStatus s = forward ? members->next(r) : members->previous(r);
            expected += forward ? 1 : -1;
            if (expected > 150) {
                EXPECT_EQ(s.code, code::kRecordNotAvailable);
                break;
            }
            ASSERT_TRUE(s.ok()) << s.code;
            ASSERT_EQ(MBR::MEMBERNUMBER.get(), expected) << "step " << k << " of " << steps;
            r.clear();
            MBR::LASTNAME.set("Zz");
            MBR::MEMBERNUMBER.set(1);
        }
    }
}

// Many records with few distinct values, so that ties and batch edges fall
// everywhere: every walk, from the start and from random points, either
// way, must agree with a plain sort of the same records.
TEST_P(Keys, BatchedWalksAgreeWithASortFromAnyStartingPoint) {
    auto trades = openFile(FileId::Transactions);
    std::mt19937 random(20261209);
    struct T {
        std::int32_t number, member, account, date;
        std::int64_t rid;
    };
    std::vector<T> all;
    const char* symbols[] = {"IBM", "ibm", "GE", "AAPL"};
    for (int i = 1; i <= 700; ++i) {
        T t{i, static_cast<std::int32_t>(random() % 5), static_cast<std::int32_t>(random() % 3),
            static_cast<std::int32_t>(random() % 6), 0};
        add(*trades, [&] {
            TRN::TRANSACTIONNUMBER.set(t.number);
            TRN::MEMBERNUMBER.set(t.member);
            TRN::REGISTRATIONNUMBER.set(t.account);
            TRN::DATE.set(t.date);
            TRN::SYMBOL.set(symbols[random() % 4]);
        });
        t.rid = std::stoll(trades->position());
        all.push_back(t);
    }
    // TRN:MEMBERNUMBERKEY: member, account, date descending, number; blank
    // (all zero) entries are left out.
    std::vector<T> expected;
    for (const T& t : all) {
        if (t.member || t.account || t.date || t.number) expected.push_back(t);
    }
    std::sort(expected.begin(), expected.end(), [](const T& a, const T& b) {
        return std::make_tuple(a.member, a.account, -a.date, a.number, a.rid) <
               std::make_tuple(b.member, b.account, -b.date, b.number, b.rid);
    });
    const int key = TRN::key::MEMBERNUMBERKEY;
    const auto number = [] { return TRN::TRANSACTIONNUMBER.get(); };
    std::vector<std::int32_t> numbers;
    for (const T& t : expected) numbers.push_back(t.number);
    EXPECT_EQ(walk(*trades, key, number), numbers);
    std::vector<std::int32_t> reversed(numbers.rbegin(), numbers.rend());
    EXPECT_EQ(walk(*trades, key, number, false), reversed);

    Record& r = buffer(FileId::Transactions);
    for (int trial = 0; trial < 40; ++trial) {
        const std::size_t at = random() % expected.size();
        const bool forward = trial % 2 == 0;
        ASSERT_TRUE(trades->setAtPosition(key, std::to_string(expected[at].rid)).ok());
        for (std::size_t k = 0; k < 150; ++k) {
            const std::ptrdiff_t index =
                forward ? static_cast<std::ptrdiff_t>(at + k)
                        : static_cast<std::ptrdiff_t>(at) - static_cast<std::ptrdiff_t>(k);
            const DriverStatus s = forward ? trades->next(r) : trades->previous(r);
            if (index < 0 || index >= static_cast<std::ptrdiff_t>(expected.size())) {
                EXPECT_EQ(s.code, code::kRecordNotAvailable);
                break;
            }
            ASSERT_TRUE(s.ok());
            ASSERT_EQ(TRN::TRANSACTIONNUMBER.get(),
                      expected[static_cast<std::size_t>(index)].number)
                << "trial " << trial << " step " << k;
        }
    }
}

}  // namespace
}  // namespace bb::test
