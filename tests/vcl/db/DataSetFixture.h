#pragma once
// A fixture with a small memory data set of people, known format settings, and helpers to read
// the data set's state and the messages of what it raises.
#include <functional>
#include <gtest/gtest.h>

#include "../FixedFormatSettings.h"
#include "MemoryDataSet.h"
#include "TestSupport.h"

// Lets GoogleTest print lists of texts in its failure messages.
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{' << list.join(", ").toStdString() << '}';
}

namespace mox::test {

template <class E = Exception> QString MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "<nothing raised>";
}

class PeopleDataSet : public FixedFormatSettings {
protected:
    void SetUp() override {
        FixedFormatSettings::SetUp();
        people = new TMemoryDataSet();
        people->columns = {
            {"Id", ftInteger, 0, true}, {"Name", ftString, 20}, {"Salary", ftFloat}, {"Hired", ftDate}};
        const char* names[] = {"Ann", "Bob", "Cid", "Dan", "Eve"};
        for (int i = 0; i < 5; ++i)
            people->AddRow({i + 1, String(names[i]), 1000.0 * (i + 1), TDateTime(45000 + i)});
    }
    void TearDown() override {
        delete people;
        FixedFormatSettings::TearDown();
    }
    QString Name() const { return people->FieldByName("Name")->AsString(); }
    // The names of all records from the first, leaving the data set on its last record.
    QStringList Names() {
        QStringList names;
        for (people->First(); !people->Eof(); people->Next())
            names << Name();
        return names;
    }

    TMemoryDataSet* people = nullptr;
};

} // namespace mox::test
