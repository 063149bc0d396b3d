#pragma once

namespace products {
namespace zefra {
namespace gui {

// Command, control and pane ids; each stays on its action.
namespace command {
constexpr int GO_TO = 32771;
constexpr int HOME_PAGE = 32773;
constexpr int ORDER_PAGE = 32774;
constexpr int IMPROVE_CODE = 32775;
constexpr int CANCEL_DECOMPILING = 32776;
constexpr int FILE_NEW = 57600;
constexpr int FILE_OPEN = 57601;
constexpr int FILE_SAVE = 57603;
constexpr int FILE_SAVE_AS = 57604;
constexpr int FILE_PRINT_SETUP = 57606;
constexpr int FILE_PRINT = 57607;
constexpr int FILE_PRINT_DIRECT = 57608;
constexpr int FILE_PRINT_PREVIEW = 57609;
constexpr int FILE_MRU_FIRST = 57616;  // also the placeholder "Recent File"
constexpr int EDIT_COPY = 57634;
constexpr int EDIT_CUT = 57635;
constexpr int EDIT_FIND = 57636;
constexpr int EDIT_PASTE = 57637;
constexpr int EDIT_REPEAT = 57640;  // Find Next
constexpr int EDIT_UNDO = 57643;
constexpr int APP_ABOUT = 57664;
constexpr int APP_EXIT = 57665;
constexpr int NEXT_PANE = 57680;
constexpr int PREV_PANE = 57681;
constexpr int VIEW_TOOLBAR = 59392;
constexpr int VIEW_STATUS_BAR = 59393;
constexpr int VIEW_MODERN_JAVA = 32790;
}

namespace window {
constexpr int TOOLBAR = 59392;
constexpr int STATUS_BAR = 59393;
constexpr int SPLITTER = 59648;
}

namespace pane {
constexpr int LINE_COUNT = 59142;  // ID_INDICATOR_LINECOUNT
constexpr int CAPS = 59137;
constexpr int NUM = 59138;
constexpr int SCROLL = 59139;
}

namespace control {
constexpr int LINE_NUMBER = 1000;
constexpr int OK = 1;
constexpr int CANCEL = 2;
}

constexpr int RECENT_FILE_COUNT = 4;

}
}
}
