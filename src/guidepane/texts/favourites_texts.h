// The favourites dialog's texts (Shift-JIS bytes).
#pragma once

namespace texts {

extern const char kFavouritesCaption[];
extern const char kFavouriteNameLabel[];
extern const char kFavouriteAddressLabel[];
extern const char kFavouriteListLabel[];
extern const char kFavouriteAdd[];
extern const char kFavouriteDelete[];
extern const char kFavouriteUp[];
extern const char kFavouriteDown[];
extern const char kFavouriteClose[];

}  // namespace texts
