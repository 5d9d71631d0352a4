// A pointer for headless Wayland sessions, which have none: moves and clicks through the
// compositor's virtual pointer interface, in the layout's logical coordinates.
//
//   virtual_pointer move X Y | click left|right|middle | press BUTTON | release BUTTON ...
//   virtual_pointer -        the same commands, one a line, from stdin; "ok" after each
//
// Each command is done once the compositor has handled it.  The device lives as long as
// the program: in stdin mode, clients keep a pointer between commands.
#include "virtual-pointer-unstable-v1-client.h"
#include "xdg-output-unstable-v1-client.h"

#include <wayland-client.h>

#include <linux/input-event-codes.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Output {
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    int x = 0, y = 0, width = 0, height = 0; // logical
};

struct Session {
    wl_display* display = nullptr;
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
    zxdg_output_manager_v1* outputManager = nullptr;
    zwlr_virtual_pointer_v1* pointer = nullptr;
    std::vector<Output*> outputs;
};

void logicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    static_cast<Output*>(data)->x = x;
    static_cast<Output*>(data)->y = y;
}
void logicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    static_cast<Output*>(data)->width = width;
    static_cast<Output*>(data)->height = height;
}
void ignoreDone(void*, zxdg_output_v1*) {}
void ignoreName(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener xdgOutputListener = {logicalPosition, logicalSize, ignoreDone,
                                                   ignoreName, ignoreName};

void global(void* data, wl_registry* registry, uint32_t name, const char* interface,
            uint32_t version) {
    auto* session = static_cast<Session*>(data);
    const std::string what = interface;
    if (what == wl_seat_interface.name && !session->seat) {
        session->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (what == zwlr_virtual_pointer_manager_v1_interface.name) {
        session->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    } else if (what == zxdg_output_manager_v1_interface.name) {
        session->outputManager = static_cast<zxdg_output_manager_v1*>(wl_registry_bind(
            registry, name, &zxdg_output_manager_v1_interface, std::min(version, 2u)));
    } else if (what == wl_output_interface.name) {
        auto* output = new Output;
        output->output =
            static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1));
        session->outputs.push_back(output);
    }
}
void globalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener registryListener = {global, globalRemove};

uint32_t now() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool buttonCode(const std::string& name, uint32_t* code) {
    if (name == "left") {
        *code = BTN_LEFT;
    } else if (name == "right") {
        *code = BTN_RIGHT;
    } else if (name == "middle") {
        *code = BTN_MIDDLE;
    } else {
        return false;
    }
    return true;
}

// The layout's bounding box, to which absolute moves map.
void layoutBox(const Session& session, int* x0, int* y0, int* x1, int* y1) {
    *x0 = *y0 = INT_MAX;
    *x1 = *y1 = INT_MIN;
    for (const Output* output : session.outputs) {
        *x0 = std::min(*x0, output->x);
        *y0 = std::min(*y0, output->y);
        *x1 = std::max(*x1, output->x + output->width);
        *y1 = std::max(*y1, output->y + output->height);
    }
}

// Runs one command from words; false for one it does not know.
bool run(Session& session, std::istream& words) {
    std::string command;
    words >> command;
    if (command == "move") {
        int x = 0, y = 0;
        if (!(words >> x >> y)) {
            return false;
        }
        int x0, y0, x1, y1;
        layoutBox(session, &x0, &y0, &x1, &y1);
        if (x < x0 || y < y0 || x >= x1 || y >= y1) {
            std::fprintf(stderr, "virtual_pointer: %d,%d lies outside the layout\n", x, y);
            return false;
        }
        zwlr_virtual_pointer_v1_motion_absolute(session.pointer, now(), uint32_t(x - x0),
                                                uint32_t(y - y0), uint32_t(x1 - x0),
                                                uint32_t(y1 - y0));
    } else if (command == "click" || command == "press" || command == "release") {
        std::string name;
        uint32_t code = 0;
        if (!(words >> name) || !buttonCode(name, &code)) {
            return false;
        }
        if (command != "release") {
            zwlr_virtual_pointer_v1_button(session.pointer, now(), code,
                                           WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(session.pointer);
        }
        if (command != "press") {
            zwlr_virtual_pointer_v1_button(session.pointer, now(), code,
                                           WL_POINTER_BUTTON_STATE_RELEASED);
        }
    } else {
        return false;
    }
    zwlr_virtual_pointer_v1_frame(session.pointer);
    return wl_display_roundtrip(session.display) >= 0;
}

bool connect(Session& session) {
    session.display = wl_display_connect(nullptr);
    if (!session.display) {
        std::fprintf(stderr, "virtual_pointer: no Wayland display\n");
        return false;
    }
    wl_registry* registry = wl_display_get_registry(session.display);
    wl_registry_add_listener(registry, &registryListener, &session);
    wl_display_roundtrip(session.display);
    if (!session.manager || !session.outputManager) {
        std::fprintf(stderr,
                     "virtual_pointer: the compositor offers no virtual pointer or xdg-output\n");
        return false;
    }
    for (Output* output : session.outputs) {
        output->xdgOutput =
            zxdg_output_manager_v1_get_xdg_output(session.outputManager, output->output);
        zxdg_output_v1_add_listener(output->xdgOutput, &xdgOutputListener, output);
    }
    session.pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(session.manager, session.seat);
    return wl_display_roundtrip(session.display) >= 0 && !session.outputs.empty();
}

} // namespace

int main(int argc, char* argv[]) {
    Session session;
    if (!connect(session)) {
        return 1;
    }
    if (argc == 2 && std::strcmp(argv[1], "-") == 0) {
        std::string line;
        while (std::getline(std::cin, line)) {
            std::istringstream words(line);
            std::cout << (run(session, words) ? "ok" : "error") << std::endl;
        }
        return 0;
    }
    std::ostringstream all;
    for (int i = 1; i < argc; ++i) {
        all << argv[i] << ' ';
    }
    std::istringstream words(all.str());
    while (words >> std::ws && !words.eof()) {
        if (!run(session, words)) {
            std::fprintf(
                stderr,
                "usage: virtual_pointer move X Y | click|press|release left|right|middle ...\n");
            return 2;
        }
    }
    return 0;
}
