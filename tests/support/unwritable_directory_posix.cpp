// The current directory made unwritable on POSIX systems: permission bits,
// and for root, which passes every permission check, file access as "nobody".
#include "tests/support/test_support.h"

#include <sys/fsuid.h>
#include <unistd.h>

namespace test_support {

Unwritable_current_directory::Unwritable_current_directory()
{
    using std::filesystem::perms;
    std::filesystem::permissions(std::filesystem::current_path(), perms::owner_read | perms::owner_exec |
                                                                      perms::group_read | perms::group_exec |
                                                                      perms::others_read | perms::others_exec);
    // Root passes every permission check; as "nobody" for file access the
    // bits above hold.
    constexpr uid_t nobody = 65534;
    if (::geteuid() == 0)
        previous_fsuid = ::setfsuid(nobody);
}

Unwritable_current_directory::~Unwritable_current_directory()
{
    if (previous_fsuid >= 0)
        ::setfsuid(static_cast<uid_t>(previous_fsuid));
    std::error_code ignored;
    std::filesystem::permissions(std::filesystem::current_path(), std::filesystem::perms::owner_all, ignored);
}

} // namespace test_support
