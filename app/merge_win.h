// 編集 → ほかの KAVO データから取り込み: picks the entry list of another KAVO folder (or of a pair
// kept aside, a generation, a sync client's copy), reads it with its password file, shows what its
// entries would bring, and on ＯＫ takes them in as unsaved changes.
#pragma once

namespace kavo {

struct App;

void mergeOtherData(App& app);

} // namespace kavo
