#include "app/model/existence_cache.h"

namespace zk {

const ExistenceFacts& ExistenceCache::Get(const ExistenceKey& key, uint32_t now_ms, const Look& look) {
  // Unsigned difference: right across the tick counter's wrap as well.
  if (!valid_ || now_ms - checked_ms_ >= kMaxAgeMs || !(key == key_)) {
    facts_ = look(key);
    key_ = key;
    checked_ms_ = now_ms;
    valid_ = true;
  }
  return facts_;
}

}  // namespace zk
