#include "app/model/command_states.h"

namespace zk {

CommandState CommandStateOf(CommandId id, const ViewContext& c, CommandState current) {
  using enum CommandId;
  const bool image = c.view == vfImage, text = c.view == vfText;
  CommandState s{true, current.checked, true};
  switch (id) {
    case ReloadAction: s.enabled = c.selection_exists; break;
    case CopyAction: s.enabled = (image && c.has_picture) || (text && c.has_text_selection); break;
    case SaveAction:
    case ZoomFitAction:
    case RealSizeAction:
    case CopyImageAction: s.enabled = image; break;
    case ZoomUpAction:
    case ZoomOutAction:
    case OutViewAction: s.enabled = image || text; break;
    case RunEverythingAction: s.enabled = c.everything_exists; break;
    case CopyGraphicAction:
      // Only for a picture member whose extracted copy is still there.
      s.visible = s.enabled = c.has_picture && c.member_selected && c.shown_member_exists;
      break;
    case MakeCacheAction: s.enabled = c.cache_folder_exists && c.clipboard_has_bitmap; break;
    case DeleteCacheAction: s.enabled = c.cache_image_exists; break;
    case OpenCacheFolderAction: s.enabled = c.cache_folder_exists; break;
    case NextItemAction:
    case PreItemAction: s.enabled = !c.archive_page_active; break;
    case BetterViewAction: s.checked = c.better; break;
    case HideToolBarAction: s.checked = c.hide_toolbar; break;
    case NotUsedInTrayAction: s.checked = c.not_used_in_tray; break;
    case ShowEverythingAction: s.enabled = c.search_window_known; break;
    case SellectAllAction: s.enabled = text; break;
    case GoogleAction:
    case WikipediaAction: s.enabled = text && c.has_text_selection; break;
    case EnterAction:
    case CopyListAction: s.enabled = c.archive_count > 0; break;
    case CtrlUpAction:
    case CtrlDownAction:
    case CtrlHomeAction:
    case CtrlEndAction: s.enabled = image && c.member_selected; break;
    default: break;
  }
  return s;
}

}  // namespace zk
