#include "platform/ShellFolders.h"

namespace platform {

// The desktops of POSIX systems keep bookmarks in browser profiles, not as
// a folder of shortcut files.
std::string FavoritesFolder() {
    return std::string();
}

}  // namespace platform
