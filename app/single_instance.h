// One copy of a program per user at a time: two copies of the tool on one
// dongle would read each other's replies.
#pragma once

#include "platform/instance_lock.h"

#include <QString>
#include <QStringList>

#include <optional>

// Where the lock is looked for, in order: the user's runtime folder where
// the system has one, then the temporary folder. Never the home folder,
// which Qt names as the runtime folder where there is none (Windows), and
// where a lock file would stay in the user's sight after uninstalling.
QStringList single_instance_lock_folders();

class Single_instance {
public:
    // Takes the lock named after `program` in the user's runtime folder,
    // or in the temporary folder where the system has none or it cannot
    // hold a file (a read-only runtime folder). The system drops
    // it when the holder ends, however it ends.
    explicit Single_instance(const QString& program);
    // The same in the first of `folders` that can hold the lock.
    Single_instance(const QString& program, const QStringList& folders);
    Single_instance(const Single_instance&) = delete;
    Single_instance& operator=(const Single_instance&) = delete;

    // True unless another running copy holds the lock. A lock that cannot
    // be made at all (no folder to put it in) does not stop the tool: that
    // is no sign of another copy.
    bool first() const { return lock->state != Instance_lock_state::held_elsewhere; }

private:
    std::optional<Instance_lock> lock;
};
