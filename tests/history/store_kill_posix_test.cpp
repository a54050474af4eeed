// A process killed while it stores leaves every stored survey whole or
// absent, never half: SQLite's journal rolls an unfinished transaction back
// when the store is next opened.
#include "history/history_store.h"
#include "history/survey_id.h"
#include "tests/support/test_support.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

Stored_survey any_survey(int number)
{
    Stored_survey stored;
    stored.id = new_survey_id();
    stored.site = "Hala A";
    stored.result.when = {1'790'000'000 + number, 0};
    stored.result.tool_version = "4.0";
    for (KVR27_dust_data& record : stored.result.records)
        record = absent_record();
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
    store.close();
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
    EXPECT_EQ(single_text(database, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(single_text(database, "SELECT count(*) FROM (SELECT survey FROM readings GROUP BY survey "
                                    "HAVING count(*) <> 32)"),
              "0")
        << "a survey with fewer than 32 readings";
    EXPECT_EQ(single_text(database, "SELECT count(*) FROM surveys WHERE id NOT IN (SELECT survey FROM readings)"), "0")
        << "a survey without its readings";
    EXPECT_EQ(single_text(database, "PRAGMA foreign_key_check"), "");
    sqlite3_close(database);
}

} // namespace
