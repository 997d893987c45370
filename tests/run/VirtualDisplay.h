// SPDX-License-Identifier: GPL-3.0-or-later
// A private X display (Xvfb) for running the built program as a user would,
// and the few things a window manager and a keyboard do to its windows.
// Windows are found by title among the top-level windows of the screen.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <string>
#include <string_view>
#include <sys/types.h>

class VirtualDisplay {
public:
    // Starts Xvfb on a free display number and connects to it; throws
    // std::runtime_error when either fails.
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":N", for DISPLAY.
    const std::string& name() const { return name_; }

    // The viewable top-level window titled exactly `title`, waiting for it up
    // to `timeout`; XCB_WINDOW_NONE when none showed.
    xcb_window_t waitForWindow(std::string_view title, std::chrono::milliseconds timeout);
    bool isViewable(xcb_window_t window);

    // The close request a window manager sends for the title bar's close
    // button (WM_DELETE_WINDOW).
    void requestClose(xcb_window_t window);

    // Gives `window` the keyboard focus and presses and releases the key of
    // `keysym` (an X keysym, e.g. 0xff1b for Escape) on the virtual keyboard,
    // holding down the key of `modifier` (e.g. 0xffe3 for Control) if given.
    void pressKey(xcb_window_t window, xcb_keysym_t keysym, xcb_keysym_t modifier = 0);

private:
    xcb_keycode_t keycode(xcb_keysym_t keysym);
    xcb_atom_t atom(std::string_view name);
    std::string title(xcb_window_t window);

    pid_t server_ = -1;
    std::string name_;
    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
};
