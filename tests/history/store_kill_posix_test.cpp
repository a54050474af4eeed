// A process killed while it stores leaves every stored survey whole or
// absent, never half: SQLite's journal rolls an unfinished transaction back
// when the store is next opened.
#include "history/history_store.h"
#include "history/survey_id.h"
#include "tests/support/test_support.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

Stored_survey any_survey(int number)
{
    Stored_survey stored;
    stored.id = new_survey_id();
    stored.site = "Hala A";
    stored.result.when = {1'790'000'000 + number, 0};
    stored.result.tool_version = "4.0";
    // Every address a detector of its own words, so that a survey read back
    // whole is told from one cut short.
    for (std::size_t address = 0; address < stored.result.records.size(); ++address) {
        KVR27_dust_data& record = stored.result.records[address];
        record = absent_record();
        record.present = true;
        record.u0 = number;
        record.u = static_cast<std::int32_t>(address);
    }
    return stored;
}

// Stores surveys until it is killed.
[[noreturn]] void store_forever(const std::string& path)
{
    History_store store;
    if (store.open(path))
        _exit(2);
    for (int number = 0;; ++number)
        if (store.add(any_survey(number)))
            _exit(3);
}

std::string single_text(sqlite3* database, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    std::string text;
    if (sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return text;
}

TEST(Store_killed, WhileStoringLeavesEverySurveyWholeOrAbsent)
{
    test_support::Scratch_directory scratch;
    const std::string path = (scratch.path() / "store.sqlite").string();
    {
        History_store made;
        ASSERT_FALSE(made.open(path));
    }
    History_store watcher;
    ASSERT_FALSE(watcher.open(path));
    for (int kill = 0; kill < 40; ++kill) {
        const int stored_before = watcher.survey_count();
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0)
            store_forever(path);
        // Once the writer is storing (however loaded the machine), a little
        // later, at a different point of a transaction each time.
        for (int wait = 0; wait < 10'000 && watcher.survey_count() <= stored_before; ++wait)
            usleep(1000);
        usleep(static_cast<useconds_t>(300 * (kill % 11)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself with " << WEXITSTATUS(status);
    }
    watcher.close();

    History_store store;
    ASSERT_FALSE(store.open(path)) << "the store opens after the kills";
    EXPECT_GT(store.survey_count(), 40);
    std::vector<std::string> ids;
    {
        sqlite3* database = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
        sqlite3_stmt* statement = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(database, "SELECT id FROM surveys", -1, &statement, nullptr), SQLITE_OK);
        while (sqlite3_step(statement) == SQLITE_ROW)
            ids.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        sqlite3_close(database);
    }
    ASSERT_EQ(ids.size(), static_cast<std::size_t>(store.survey_count()));
    for (const std::string& id : ids) {
        const std::optional<Stored_survey> read = store.survey(id);
        ASSERT_TRUE(read) << "survey " << id << " does not read whole";
        for (std::size_t address = 0; address < read->result.records.size(); ++address)
            ASSERT_EQ(read->result.records[address].u, static_cast<std::int32_t>(address)) << "survey " << id;
    }
    store.close();
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
    EXPECT_EQ(single_text(database, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(single_text(database, "PRAGMA foreign_key_check"), "");
    sqlite3_close(database);
}

} // namespace
