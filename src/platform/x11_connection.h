// SPDX-License-Identifier: MIT
#pragma once

// The few X11 requests the windows need beyond what the toolkit offers, on the toolkit's own
// connection. Built only where libxcb is available.

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

namespace hueprint::x11 {

// The connection the program's windows live on, or nullptr when they are not on an X server
// (another windowing system, or no windows on screen at all).
xcb_connection_t* connection();

// The atom of that name, or XCB_ATOM_NONE when the server does not answer.
xcb_atom_t atom(xcb_connection_t* connection, const char* name);

// A property of 32-bit items (atoms, cardinals, windows) of the given type; empty when the
// window has no such property.
std::vector<std::uint32_t> property32(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t property, xcb_atom_t type);

// The root window of the screen the window is on; XCB_WINDOW_NONE when the window is gone.
xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window);

// Sends a 32-bit client message about the window to the window manager, as the conventions
// ask: to the root window, for those who redirect or watch its children.
void sendToWindowManager(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
                         xcb_atom_t type, const std::uint32_t (&data)[5]);

// Whether the window is mapped (or waits to be, its parent being unmapped).
bool isMapped(xcb_connection_t* connection, xcb_window_t window);

} // namespace hueprint::x11
