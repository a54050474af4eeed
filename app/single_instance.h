// One copy of a program per user at a time: two copies of the tool on one
// dongle would read each other's replies.
#pragma once

#include <QLockFile>
#include <QString>

class Single_instance {
public:
    // Takes the lock named after `program` in the user's runtime folder
    // (the temporary folder where the system has none). A lock left by a
    // copy that ended without releasing it is taken over.
    explicit Single_instance(const QString& program);
    Single_instance(const Single_instance&) = delete;
    Single_instance& operator=(const Single_instance&) = delete;

    // True when no other running copy holds the lock.
    bool first() const { return held; }

private:
    QLockFile lock;
    bool held = false;
};
