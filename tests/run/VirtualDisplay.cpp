// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/run/VirtualDisplay.h"

#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <signal.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
    int ready[2];
    if (::pipe(ready) != 0) throw std::runtime_error("pipe failed");
    const std::string fd = std::to_string(ready[1]);
    std::vector<const char*> argv = {"Xvfb",        "-displayfd", fd.c_str(), "-screen", "0",
                                     "1024x768x24", "-nolisten",  "tcp",      nullptr};
    const int spawned =
        ::posix_spawnp(&server_, "Xvfb", nullptr, nullptr, const_cast<char* const*>(argv.data()), environ);
    ::close(ready[1]);
    if (spawned != 0) {
        ::close(ready[0]);
        server_ = -1;
        throw std::runtime_error("Xvfb could not be started (is the xvfb package installed?)");
    }
    // Xvfb writes the display number once it accepts connections.
    std::string number;
    char c;
    while (::read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(ready[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    name_ = ":" + number;

    connection_ = xcb_connect(name_.c_str(), nullptr);
    if (xcb_connection_has_error(connection_)) throw std::runtime_error("no connection to " + name_);
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
}

VirtualDisplay::~VirtualDisplay() {
    if (connection_) xcb_disconnect(connection_);
    if (server_ > 0) {
        ::kill(server_, SIGTERM);
        ::waitpid(server_, nullptr, 0);
    }
}

xcb_atom_t VirtualDisplay::atom(std::string_view name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string VirtualDisplay::title(xcb_window_t window) {
    for (const xcb_atom_t property : {atom("_NET_WM_NAME"), static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
        const auto reply = owned(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
            nullptr));
        if (reply && reply->format == 8 && xcb_get_property_value_length(reply.get()) > 0)
            return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                               static_cast<size_t>(xcb_get_property_value_length(reply.get())));
    }
    return {};
}

bool VirtualDisplay::isViewable(xcb_window_t window) {
    const auto attributes =
        owned(xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

xcb_window_t VirtualDisplay::waitForWindow(std::string_view wanted, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        const auto tree = owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, screen_->root), nullptr));
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
                if (isViewable(children[i]) && title(children[i]) == wanted) return children[i];
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return XCB_WINDOW_NONE;
}

void VirtualDisplay::requestClose(xcb_window_t window) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    xcb_flush(connection_);
}

xcb_keycode_t VirtualDisplay::keycode(xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const auto mapping = owned(xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, static_cast<uint8_t>(count)), nullptr));
    if (!mapping) throw std::runtime_error("no keyboard mapping");
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    for (int i = 0; i < count * mapping->keysyms_per_keycode; ++i)
        if (keysyms[i] == keysym)
            return static_cast<xcb_keycode_t>(setup->min_keycode + i / mapping->keysyms_per_keycode);
    throw std::runtime_error("no key for keysym " + std::to_string(keysym));
}

void VirtualDisplay::pressKey(xcb_window_t window, xcb_keysym_t keysym, xcb_keysym_t modifier) {
    const xcb_keycode_t key = keycode(keysym);
    const xcb_keycode_t held = modifier ? keycode(modifier) : 0;
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    if (held) xcb_test_fake_input(connection_, XCB_KEY_PRESS, held, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection_, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection_, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    if (held) xcb_test_fake_input(connection_, XCB_KEY_RELEASE, held, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
}
