// Control ids of the settings dialog, shared by its source files.
#pragma once

namespace zk::options_form_ids {

enum : int {
  kPageControl = 200,
  kFirstPage = 201,  // five pages
  kNotUsedInTray = 300,
  kClearNoEverything,
  kMaxKByteEdit,
  kUserActiveHotKey,
  kKakuListBox,
  kKakuListAdd,
  kKakuListDel,
  kButton1,
  kFontPreviewPanel,
  kFontPreview,
  kBetter,
  kImageCenter,
  kBackgroundColorPanel,
  kEverythingPathEdit,
  kSpeedButton1,
  kOutWClick,
  kOutTextEdit,
  kOutTextDirEdit,
  kOutGEdit,
  kOutGDirEdit,
  kFirstOutViewerButton,  // four buttons, tags 0..3
  kShowID3Tag = kFirstOutViewerButton + 4,
  kLinkView,
  kArcView,
  kArkWrap,
  kCacheFolderEdit,
  kSpeedButton2,
  kArchiveBuiltIn,
};

}  // namespace zk::options_form_ids
