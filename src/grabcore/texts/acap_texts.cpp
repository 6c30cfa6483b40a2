// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "acap_texts.h"

namespace texts {

const char kACapEnumCreateFailed[] = "クラス「TACapSorce」で「CoCreateInstance」に失敗しました。";
const char kACapClassEnumFailed[] = "クラス「TACapSorce」で「ICreateDevEnum::CreateClassEnumerator」に失敗しました。";
const char kACapNoDevice[] = "クラス「TACapSorce」でキャプチャデバイスの列挙に失敗しました。";

const char kACapProfileUnreadable[] = "TACapSorce::create()でデータファイルがあるのに開けません。";
const char kACapSetFormatFailed[] = "クラス「TACapSorce」の「create()」で「SetFormat」に失敗しました。";
const char kACapGetFormatFailed[] = "クラス「TACapSorce」の「create()」で「GetFormat」に失敗しました。";
const char kACapEnumPinsFailed[] = "クラス「TACapSorce」の「strmCnfPtr()」で「EnumPins」に失敗しました。";
const char kACapWriteFailed[] = "TACapSorce::remove()でファイル「*.audio」を生成できません。";

}  // namespace texts
