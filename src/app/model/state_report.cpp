#include "app/model/state_report.h"

#include "app/model/actions.h"

namespace zk {
namespace {

std::u16string Decimal(uint64_t value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value);
  return digits;
}

std::u16string Decimal(int64_t value) {
  if (value >= 0) return Decimal(static_cast<uint64_t>(value));
  return u"-" + Decimal(0 - static_cast<uint64_t>(value));
}

class Lines {
 public:
  void Add(std::u16string_view key, std::u16string_view value = {}) {
    out_ += key;
    out_ += value;
    out_ += u'\r';  // a carriage return alone ends every line
  }
  void Add(std::u16string_view key, int value) { Add(key, Decimal(int64_t{value})); }
  void AddBool(std::u16string_view key, bool value) { Add(key, value ? u"-1" : u"0"); }
  void AddBounds(const ReportBounds& b) {
    Add(u"Top=", b.top);
    Add(u"Left=", b.left);
    Add(u"Width=", b.width);
    Add(u"Height=", b.height);
  }
  std::u16string Take() { return std::move(out_); }

 private:
  std::u16string out_;
};

}  // namespace

std::u16string ViewFileTypeName(zk::ViewFileType kind) {
  switch (kind) {
    case vfBinary: return u"vfBinary";
    case vfImage: return u"vfImage";
    case vfText: return u"vfText";
    case vfArc: return u"vfArc";
    case vfTemp: break;
  }
  return u"vfTemp";
}

std::u16string BuildStateReport(const StateReportValues& v) {
  Lines l;
  l.Add(u"FileVersion=", v.program.FileVersion);
  l.Add(u"ProductVersion=", v.program.ProductVersion);
  l.Add(u"FileDescription=", v.program.FileDescription);
  l.Add(u"WorkFolder = ", v.WorkFolder);
  l.Add(u"LastReadTime=", Decimal(uint64_t{static_cast<uint32_t>(v.LastReadTime)}) + u"MS");

  const auto& image = v.MainImage;
  l.Add(u"-----MainImage-----");
  l.Add(u"Tag=", image.zoom_tag);
  l.AddBool(u"Visible=", image.visible);
  l.AddBool(u"Center=", image.center);
  l.AddBool(u"AutoSize=", image.auto_size);
  l.AddBool(u"Stretch=", image.stretch);
  l.AddBounds(image.bounds);
  l.AddBool(u"Visible=", image.visible);
  l.Add(u"Hint=", image.hint);
  l.AddBool(u"Picture.Graphic=", !image.has_picture);  // true while empty
  l.AddBool(u"Align is alClient=", image.fills_parent);

  l.Add(u"-----RichEditURL-----");
  l.AddBool(u"Visible=", v.RichEditURL.visible);
  l.AddBounds(v.RichEditURL.bounds);

  l.Add(u"-----ArcListBox-----");
  l.Add(u"Items.Count=", v.ArcListBox.count);
  l.Add(u"ItemIndex=", v.ArcListBox.item_index);
  l.AddBool(u"Visible=", v.ArcListBox.visible);

  l.Add(u"-----ScrollBox-----");
  l.AddBool(u"Visible=", v.ScrollBox.visible);
  l.AddBool(u"AutoScroll=", v.ScrollBox.auto_scroll);
  l.Add(u"Hint=", v.ScrollBox.hint);

  l.Add(u"----------------------------------");
  const Settings& s = v.settings;
  l.Add(u"SelectedFileName=", v.SelectedFileName);
  l.Add(u"ViewFileType=", ViewFileTypeName(v.ViewFileType));
  l.Add(u"EverythingHandle=", Decimal(v.EverythingHandle));
  l.Add(u"EverythingPath=", s.EverythingPath);
  l.Add(u"IniFileName=", v.IniFileName);
  l.Add(u"ToolbarIniName=", v.ToolbarIniName);
  l.Add(u"ActiveHotKey=", ShortcutText(s.ActiveHotKey));
  l.AddBool(u"ShowID3Tag=", s.ShowID3Tag);
  l.AddBool(u"NotUsedInTray=", s.NotUsedInTray);
  l.AddBool(u"LinkView=", s.LinkView);
  l.AddBool(u"Better=", s.Better);
  l.AddBool(u"TopMost=", s.TopMost);
  l.AddBool(u"ArcView=", s.ArcView);
  l.AddBool(u"ClearNoEverything=", s.ClearNoEverything);
  l.AddBool(u"ImageCenter=", s.ImageCenter);
  l.Add(u"MaxReadByte=", v.max_read_byte_text);
  l.Add(u"xdoc2txtPath=", v.xdoc2txtPath);
  return l.Take();
}

}  // namespace zk
