// A form: a window of its own class with child controls from the common controls, and the
// framework's event meanings: a track bar's change fires when its position changes, also when
// code moves it, and only then; an edit's change fires when code sets its text; a modal form
// runs its own loop that still dispatches timers and posted messages, with the keys of a dialog
// (Tab, Shift+Tab, Enter, Esc) unless it opts out. Every child window gets the form's font,
// whoever creates it. Handlers run under the exception guard.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace winui {

enum class Control { button, label, edit, trackBar, comboBox, checkBox, panel, radioButton, groupBox, listBox,
                     progressBar, memo };

// Loads the common controls; addControl does it before the first control. A window without
// controls (the recorder's main window) is made before they load, so the program starts faster.
void initCommonControls();

class Form {
 public:
  struct Options {
    std::wstring className;       // registered once per class
    std::string caption;          // Shift-JIS
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    HWND parent = nullptr;        // the owner, or the parent of a WS_CHILD form
    RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, 320, 240};  // left, top, width, height
    bool messageFont = false;     // controls in the system's message font, else the GUI font (a
                                  // child form: its parent's font)
    // While modal: Tab and Shift+Tab move the focus, Enter clicks the focused push button or
    // else the default one, Esc closes the form as its close box does.
    bool dialogKeys = true;
    bool closable = true;         // false: no close by the keyboard (Alt+F4); its buttons end it
    // false: never the owner of a box (dialogs.h): a countdown stays usable, and runs on, under a
    // box opened while it is the active window.
    bool ownsBoxes = true;
  };

  // Window bounds whose client area is width x height, centred on the desktop.
  static RECT centredBounds(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

  explicit Form(const Options& options);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  HWND handle() const { return window_; }
  void show();
  void hide();
  bool visible() const;
  void setCaption(std::string_view cp932);
  std::string caption() const;

  // Child controls by id (nonzero). bounds: left, top, width, height in client coordinates.
  HWND addControl(Control kind, int id, std::string_view text, RECT bounds, DWORD extraStyle = 0);
  // Also a control that sits on one of the form's panels (bar_panel.h).
  HWND control(int id) const;
  // Button or check box pressed (also by code through click()).
  void onClick(int id, std::function<void()> handler) { clicks_[id] = std::move(handler); }
  // Edit text, track bar position, combo selection or check state changed.
  void onChange(int id, std::function<void()> handler) { changes_[id] = std::move(handler); }
  void click(int id);
  // A control's WM_NOTIFY, by the control's id; the handler's value is the message's result.
  void onNotify(int id, std::function<LRESULT(const NMHDR&)> handler) { notifies_[id] = std::move(handler); }

  void setText(int id, std::string_view cp932);  // an edit's change fires
  std::string text(int id) const;
  void setTrackRange(int id, int minimum, int maximum);
  void setTrackPosition(int id, int position);  // the change fires when the position changes
  int trackPosition(int id) const;
  void setChecked(int id, bool checked);  // the change fires when the state changes
  bool checked(int id) const;
  void setComboItems(int id, const std::vector<std::string>& cp932Items);
  void setComboIndex(int id, int index);
  int comboIndex(int id) const;
  void setEnabled(int id, bool enabled);
  bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
  // A list box's items and selection (-1 none); selecting by code fires no change.
  void setListItems(int id, const std::vector<std::string>& cp932Items);
  void setListIndex(int id, int index);
  int listIndex(int id) const;
  void setProgressRange(int id, int maximum);
  void setProgressPosition(int id, int position);

  // Shows the form modally (its owner disabled) and runs a loop until endModal; returns the
  // result, or resultOnQuit when a quit request ended the loop (left in the queue): the
  // program's end is no answer, so a caller names the result it reads as "stop".
  int showModal(int resultOnQuit = 0);
  void endModal(int result);
  bool inModal() const { return modal_; }

 protected:
  // The form's own messages; the default routes control events and ends a modal form on close.
  virtual LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT defaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void fire(std::map<int, std::function<void()>>& handlers, int id);
  HWND window_ = nullptr;
  std::map<int, std::function<void()>> clicks_;
  std::map<int, std::function<void()>> changes_;
  void trackScrolled(HWND trackBar);
  void focusOnShow();
  HFONT font_ = nullptr;
  bool ownsFont_ = false;
  int defaultButton_ = 0;  // the id of the button added as the default one
  std::map<int, int> trackPositions_;  // the position each track bar's last change reported
  HWND lastFocus_ = nullptr;           // the focus to give back when the dialog is activated
  bool dialogKeys_ = true;
  bool dialog_ = false;                // owned: a dialog also when shown without its own loop
  bool closable_ = true;
  std::map<int, std::function<LRESULT(const NMHDR&)>> notifies_;
  bool modal_ = false;
  bool modalEnded_ = false;
  int modalResult_ = 0;
};

}  // namespace winui
