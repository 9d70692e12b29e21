#include "image/formats/avif_container.h"

#include <algorithm>
#include <string_view>
#include <tuple>

#include "image/decoders/decode_error.h"
#include "image/decoders/pixel_sink.h"

namespace zk {
namespace {

[[noreturn]] void Fail(const char* why) { throw PictureDecodeError(why); }

constexpr uint32_t Tag(const char (&s)[5]) {
  return uint32_t{uint8_t(s[0])} << 24 | uint32_t{uint8_t(s[1])} << 16 | uint32_t{uint8_t(s[2])} << 8 | uint8_t(s[3]);
}

// Big-endian fields of a box body; running past its end is a damaged file.
struct Reader {
  std::span<const uint8_t> data;
  size_t pos = 0;

  size_t Left() const { return data.size() - pos; }
  uint64_t U(int bytes) {
    if (Left() < static_cast<size_t>(bytes)) Fail("truncated box");
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v = v << 8 | data[pos++];
    return v;
  }
  void Skip(size_t n) {
    if (Left() < n) Fail("truncated box");
    pos += n;
  }
  // A full box's version; the flags go to `flags` when asked for.
  int Version(uint32_t* flags = nullptr) {
    const uint32_t word = static_cast<uint32_t>(U(4));
    if (flags) *flags = word & 0xFFFFFF;
    return static_cast<int>(word >> 24);
  }
  std::span<const uint8_t> Rest() const { return data.subspan(pos); }
};

struct Box {
  uint32_t type;
  std::span<const uint8_t> body;
};

template <class F>
void ForEachBox(std::span<const uint8_t> data, F&& f) {
  Reader r{data};
  while (r.Left() > 0) {
    uint64_t size = r.U(4);
    const uint32_t type = static_cast<uint32_t>(r.U(4));
    uint64_t header = 8;
    if (size == 1) {
      size = r.U(8);
      header = 16;
    } else if (size == 0) {
      size = header + r.Left();
    }
    if (size < header || size - header > r.Left()) Fail("box outside its parent");
    const size_t body = static_cast<size_t>(size - header);
    f(Box{type, data.subspan(r.pos, body)});
    r.pos += body;
  }
}

std::span<const uint8_t> FindBox(std::span<const uint8_t> data, uint32_t type) {
  std::span<const uint8_t> found;
  bool seen = false;
  ForEachBox(data, [&](const Box& b) {
    if (b.type == type && !seen) found = b.body, seen = true;
  });
  if (!seen) Fail("a required box is missing");
  return found;
}

struct Item {
  uint32_t id = 0;
  uint32_t type = 0;
  int method = -1;  // -1 until "iloc" places it
  uint64_t base = 0;
  std::vector<std::pair<uint64_t, uint64_t>> extents;
  std::vector<int> properties;  // 1-based indexes into "ipco"
};

struct Reference {
  uint32_t type = 0, from = 0;
  std::vector<uint32_t> to;
};

struct Meta {
  uint32_t primary = 0;
  bool has_primary = false;
  std::vector<Item> items;
  std::vector<Box> properties;
  std::vector<Reference> references;
  std::span<const uint8_t> idat;

  Item* Find(uint32_t id) {
    for (Item& item : items)
      if (item.id == id) return &item;
    return nullptr;
  }
  Item& FindOrAdd(uint32_t id) {
    if (Item* item = Find(id)) return *item;
    items.emplace_back().id = id;
    return items.back();
  }
  const Box* Property(const Item& item, uint32_t type) const {
    for (int index : item.properties)
      if (index >= 1 && static_cast<size_t>(index) <= properties.size() && properties[index - 1].type == type)
        return &properties[index - 1];
    return nullptr;
  }
};

void ReadItemInfo(std::span<const uint8_t> body, Meta& meta) {
  Reader r{body};
  const int version = r.Version();
  r.Skip(version == 0 ? 2 : 4);  // the entry count; the boxes follow
  ForEachBox(r.Rest(), [&](const Box& b) {
    if (b.type != Tag("infe")) return;
    Reader e{b.body};
    const int v = e.Version();
    if (v < 2) return;  // item types came with version 2
    const uint32_t id = static_cast<uint32_t>(e.U(v == 2 ? 2 : 4));
    e.Skip(2);  // protection index
    meta.FindOrAdd(id).type = static_cast<uint32_t>(e.U(4));
  });
}

void ReadItemLocations(std::span<const uint8_t> body, Meta& meta) {
  Reader r{body};
  const int version = r.Version();
  if (version > 2) Fail("unknown iloc version");
  const int sizes = static_cast<int>(r.U(1));
  const int offset_size = sizes >> 4, length_size = sizes & 15;
  const int sizes2 = static_cast<int>(r.U(1));
  const int base_size = sizes2 >> 4, index_size = version >= 1 ? sizes2 & 15 : 0;
  for (int s : {offset_size, length_size, base_size, index_size})
    if (s != 0 && s != 4 && s != 8) Fail("bad iloc field size");
  const uint64_t count = r.U(version < 2 ? 2 : 4);
  for (uint64_t i = 0; i < count; ++i) {
    Item& item = meta.FindOrAdd(static_cast<uint32_t>(r.U(version < 2 ? 2 : 4)));
    item.method = version >= 1 ? static_cast<int>(r.U(2) & 15) : 0;
    r.Skip(2);  // data reference index: the file itself
    item.base = r.U(base_size);
    const uint64_t extents = r.U(2);
    item.extents.clear();
    for (uint64_t e = 0; e < extents; ++e) {
      r.Skip(static_cast<size_t>(index_size));
      const uint64_t offset = r.U(offset_size);
      item.extents.emplace_back(offset, r.U(length_size));
    }
  }
}

void ReadItemProperties(std::span<const uint8_t> body, Meta& meta) {
  ForEachBox(body, [&](const Box& b) {
    if (b.type == Tag("ipco")) ForEachBox(b.body, [&](const Box& p) { meta.properties.push_back(p); });
    if (b.type != Tag("ipma")) return;
    Reader r{b.body};
    uint32_t flags = 0;
    const int version = r.Version(&flags);
    const uint64_t entries = r.U(4);
    for (uint64_t i = 0; i < entries; ++i) {
      Item& item = meta.FindOrAdd(static_cast<uint32_t>(r.U(version < 1 ? 2 : 4)));
      const uint64_t associations = r.U(1);
      for (uint64_t a = 0; a < associations; ++a)
        item.properties.push_back((flags & 1) ? static_cast<int>(r.U(2) & 0x7FFF) : static_cast<int>(r.U(1) & 0x7F));
    }
  });
}

void ReadItemReferences(std::span<const uint8_t> body, Meta& meta) {
  Reader r{body};
  const int id_size = r.Version() == 0 ? 2 : 4;
  ForEachBox(r.Rest(), [&](const Box& b) {
    Reader e{b.body};
    Reference ref;
    ref.type = b.type;
    ref.from = static_cast<uint32_t>(e.U(id_size));
    const uint64_t count = e.U(2);
    for (uint64_t i = 0; i < count; ++i) ref.to.push_back(static_cast<uint32_t>(e.U(id_size)));
    meta.references.push_back(std::move(ref));
  });
}

Meta ReadMeta(std::span<const uint8_t> body) {
  Meta meta;
  Reader r{body};
  r.Version();
  ForEachBox(r.Rest(), [&](const Box& b) {
    if (b.type == Tag("pitm")) {
      Reader p{b.body};
      meta.primary = static_cast<uint32_t>(p.U(p.Version() == 0 ? 2 : 4));
      meta.has_primary = true;
    } else if (b.type == Tag("iinf")) {
      ReadItemInfo(b.body, meta);
    } else if (b.type == Tag("iloc")) {
      ReadItemLocations(b.body, meta);
    } else if (b.type == Tag("iprp")) {
      ReadItemProperties(b.body, meta);
    } else if (b.type == Tag("iref")) {
      ReadItemReferences(b.body, meta);
    } else if (b.type == Tag("idat")) {
      meta.idat = b.body;
    }
  });
  return meta;
}

// An item's bytes: a span of the file (or of "idat"), or its extents joined
// into `storage` when there are several.
std::span<const uint8_t> ItemData(const Item& item, const Meta& meta, std::span<const uint8_t> file,
                                  std::vector<std::vector<uint8_t>>& storage) {
  if (item.method != 0 && item.method != 1) Fail("item data not in the file");
  const std::span<const uint8_t> source = item.method == 0 ? file : meta.idat;
  if (item.extents.empty()) Fail("item without data");
  std::vector<std::span<const uint8_t>> pieces;
  for (const auto& [offset, length] : item.extents) {
    if (item.base > source.size() || offset > source.size() - item.base) Fail("item data outside the file");
    const uint64_t start = item.base + offset;
    const uint64_t size = length == 0 ? source.size() - start : length;
    if (size > source.size() - start) Fail("item data outside the file");
    pieces.push_back(source.subspan(static_cast<size_t>(start), static_cast<size_t>(size)));
  }
  if (pieces.size() == 1) return pieces.front();
  std::vector<uint8_t>& joined = storage.emplace_back();
  for (const auto& piece : pieces) joined.insert(joined.end(), piece.begin(), piece.end());
  return joined;
}

const Reference* FindReference(const Meta& meta, uint32_t type, uint32_t from) {
  for (const Reference& ref : meta.references)
    if (ref.type == type && ref.from == from) return &ref;
  return nullptr;
}

// The declared size of an item ("ispe"); an image item without one is damaged.
std::pair<int, int> ItemSize(const Item& item, const Meta& meta) {
  const Box* ispe = meta.Property(item, Tag("ispe"));
  if (!ispe) Fail("image without a size");
  Reader r{ispe->body};
  r.Version();
  const uint64_t w = r.U(4), h = r.U(4);
  if (w < 1 || h < 1 || w > 65536 || h > 65536) Fail("implausible image size");
  return {static_cast<int>(w), static_cast<int>(h)};
}

// The AV1 data of an image item: itself, or a grid's tiles row by row.
struct Coded {
  int rows = 1, columns = 1, width = 0, height = 0;
  std::vector<std::span<const uint8_t>> tiles;
};

Coded ReadCoded(Item& item, Meta& meta, std::span<const uint8_t> file, std::vector<std::vector<uint8_t>>& storage) {
  Coded coded;
  std::tie(coded.width, coded.height) = ItemSize(item, meta);
  if (item.type == Tag("av01")) {
    coded.tiles.push_back(ItemData(item, meta, file, storage));
    return coded;
  }
  if (item.type != Tag("grid")) Fail("the picture is not AV1");
  Reader g{ItemData(item, meta, file, storage)};
  if (g.U(1) != 0) Fail("unknown grid version");
  const int field = (g.U(1) & 1) ? 4 : 2;
  coded.rows = static_cast<int>(g.U(1)) + 1;
  coded.columns = static_cast<int>(g.U(1)) + 1;
  const uint64_t w = g.U(field), h = g.U(field);
  if (w != static_cast<uint64_t>(coded.width) || h != static_cast<uint64_t>(coded.height))
    Fail("grid size differs from its declared size");
  const Reference* tiles = FindReference(meta, Tag("dimg"), item.id);
  if (!tiles || tiles->to.size() != static_cast<size_t>(coded.rows) * coded.columns) Fail("grid without its tiles");
  for (uint32_t id : tiles->to) {
    Item* tile = meta.Find(id);
    if (!tile || tile->type != Tag("av01")) Fail("grid tile is not AV1");
    coded.tiles.push_back(ItemData(*tile, meta, file, storage));
  }
  return coded;
}

bool IsAlphaItem(const Item& item, const Meta& meta) {
  const Box* aux = meta.Property(item, Tag("auxC"));
  if (!aux) return false;
  Reader r{aux->body};
  r.Version();
  const std::string_view urn(reinterpret_cast<const char*>(r.Rest().data()), r.Rest().size());
  return urn.starts_with("urn:mpeg:mpegB:cicp:systems:auxiliary:alpha") || urn.starts_with("urn:mpeg:hevc:2015:auxid:1");
}

void ReadPrimaryItem(Meta& meta, std::span<const uint8_t> file, AvifLayout& out) {
  Item* primary = meta.Find(meta.primary);
  if (!primary) Fail("no primary picture");
  Coded color = ReadCoded(*primary, meta, file, out.storage);
  out.width = color.width;
  out.height = color.height;
  out.grid_rows = color.rows;
  out.grid_columns = color.columns;
  out.color = std::move(color.tiles);

  for (Item& item : meta.items) {
    const Reference* aux = FindReference(meta, Tag("auxl"), item.id);
    if (!aux || std::find(aux->to.begin(), aux->to.end(), primary->id) == aux->to.end() || !IsAlphaItem(item, meta))
      continue;
    Coded alpha = ReadCoded(item, meta, file, out.storage);
    if (alpha.rows != color.rows || alpha.columns != color.columns) Fail("alpha laid out unlike the picture");
    out.alpha = std::move(alpha.tiles);
    const Reference* prem = FindReference(meta, Tag("prem"), primary->id);
    out.alpha_premultiplied = prem && std::find(prem->to.begin(), prem->to.end(), item.id) != prem->to.end();
    break;
  }

  if (const Box* colr = meta.Property(*primary, Tag("colr")); colr && colr->body.size() >= 11) {
    Reader c{colr->body};
    if (c.U(4) == Tag("nclx")) {
      AvifNclx nclx;
      nclx.primaries = static_cast<int>(c.U(2));
      nclx.transfer = static_cast<int>(c.U(2));
      nclx.matrix = static_cast<int>(c.U(2));
      nclx.full_range = (c.U(1) & 0x80) != 0;
      out.nclx = nclx;
    }
  }
  int turns = 0, mirror = -1;
  if (const Box* irot = meta.Property(*primary, Tag("irot")); irot && !irot->body.empty()) turns = irot->body[0] & 3;
  if (const Box* imir = meta.Property(*primary, Tag("imir")); imir && !imir->body.empty()) mirror = imir->body[0] & 1;
  out.orientation = AvifTurnToOrientation(turns, mirror);
}

// The first sample of a sequence's first AV1 track that is not an auxiliary
// (alpha) track; false when there is none.
bool ReadFirstSample(std::span<const uint8_t> moov, std::span<const uint8_t> file, AvifLayout& out) {
  bool found = false;
  ForEachBox(moov, [&](const Box& trak) {
    if (found || trak.type != Tag("trak")) return;
    bool auxiliary = false;
    ForEachBox(trak.body, [&](const Box& b) {
      if (b.type == Tag("tref")) ForEachBox(b.body, [&](const Box& r) { auxiliary |= r.type == Tag("auxl"); });
    });
    if (auxiliary) return;
    const auto stbl = FindBox(FindBox(FindBox(trak.body, Tag("mdia")), Tag("minf")), Tag("stbl"));
    Reader stsd{FindBox(stbl, Tag("stsd"))};
    stsd.Skip(8);  // version, flags, entry count
    const Box entry = [&] {
      Box first{0, {}};
      bool seen = false;
      ForEachBox(stsd.Rest(), [&](const Box& b) {
        if (!seen) first = b, seen = true;
      });
      return first;
    }();
    if (entry.type != Tag("av01")) return;
    Reader visual{entry.body};
    visual.Skip(24);
    const int w = static_cast<int>(visual.U(2)), h = static_cast<int>(visual.U(2));
    Reader stsz{FindBox(stbl, Tag("stsz"))};
    stsz.Skip(4);
    uint64_t size = stsz.U(4);
    if (stsz.U(4) == 0) Fail("track without samples");
    if (size == 0) size = stsz.U(4);
    uint64_t offset = 0;
    bool wide = false;
    ForEachBox(stbl, [&](const Box& b) { wide |= b.type == Tag("co64"); });
    Reader chunks{FindBox(stbl, wide ? Tag("co64") : Tag("stco"))};
    chunks.Skip(4);
    if (chunks.U(4) == 0) Fail("track without chunks");
    offset = chunks.U(wide ? 8 : 4);
    if (offset > file.size() || size > file.size() - offset) Fail("sample outside the file");
    if (w < 1 || h < 1) Fail("implausible image size");
    out.width = w;
    out.height = h;
    out.color = {file.subspan(static_cast<size_t>(offset), static_cast<size_t>(size))};
    found = true;
  });
  return found;
}

}  // namespace

bool LooksLikeAvif(std::span<const uint8_t> bytes) {
  if (bytes.size() < 16 || std::string_view(reinterpret_cast<const char*>(bytes.data()) + 4, 4) != "ftyp") return false;
  const uint64_t size = uint64_t{bytes[0]} << 24 | uint64_t{bytes[1]} << 16 | uint64_t{bytes[2]} << 8 | bytes[3];
  const size_t end = static_cast<size_t>(std::min<uint64_t>(size, bytes.size()));
  // The major brand, then the compatible brands after the minor version.
  for (size_t at = 8; at + 4 <= end; at += at == 8 ? 8 : 4) {
    const std::string_view brand(reinterpret_cast<const char*>(bytes.data()) + at, 4);
    if (brand == "avif" || brand == "avis") return true;
  }
  return false;
}

int AvifTurnToOrientation(int quarter_turns, int mirror) {
  // Rows: quarter turns anticlockwise; columns: no mirror, top-to-bottom, left-to-right.
  static constexpr int kOrientation[4][3] = {{1, 4, 2}, {8, 5, 7}, {3, 2, 4}, {6, 7, 5}};
  return kOrientation[quarter_turns & 3][mirror < 0 ? 0 : 1 + (mirror & 1)];
}

AvifLayout ReadAvifLayout(std::span<const uint8_t> file) {
  if (!LooksLikeAvif(file)) Fail("not an AVIF picture");
  AvifLayout out;
  std::span<const uint8_t> meta_box, moov_box;
  bool has_meta = false, has_moov = false;
  ForEachBox(file, [&](const Box& b) {
    if (b.type == Tag("meta") && !has_meta) meta_box = b.body, has_meta = true;
    if (b.type == Tag("moov") && !has_moov) moov_box = b.body, has_moov = true;
  });
  bool read = false;
  if (has_meta) {
    Meta meta = ReadMeta(meta_box);
    if (meta.has_primary) {
      ReadPrimaryItem(meta, file, out);
      read = true;
    }
  }
  if (!read && !(has_moov && ReadFirstSample(moov_box, file, out))) Fail("no AV1 picture in the file");
  if (!PictureSizeJustified(out.width, out.height, static_cast<int64_t>(file.size())))
    Fail("picture too large for its file");
  return out;
}

}  // namespace zk
