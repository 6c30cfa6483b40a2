// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "favourites_texts.h"

namespace texts {

const char kFavouritesCaption[] = "お気に入りの操作";
const char kFavouriteNameLabel[] = "名前：";
const char kFavouriteAddressLabel[] = "アドレス：";
const char kFavouriteListLabel[] = "お気に入りのリスト：";
const char kFavouriteAdd[] = "このアドレスを追加";
const char kFavouriteDelete[] = "削除";
const char kFavouriteUp[] = "上へ";
const char kFavouriteDown[] = "下へ";
const char kFavouriteClose[] = "閉じる";

}  // namespace texts
