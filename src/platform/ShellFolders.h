#pragma once
// Folders the desktop keeps for the user.
#include <string>

namespace platform {

// The user's Favorites folder (the value "Favorites" of the shell folders
// key); empty where the platform has none.
std::string FavoritesFolder();

}  // namespace platform
