// Finding, opening and setting up the LocalBoard's bridge; closing it at exit.

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "link/board_protocol.h"
#include "link/link_texts.h"

namespace tivra {

namespace {

constexpr uint32_t BRIDGE_BAUD_RATE = 57600;
constexpr uint16_t BRIDGE_LINE_CONTROL = 0x0801;  // 8 data bits, no parity, 1 stop bit
constexpr uint32_t BRIDGE_TIMEOUT_MS = 4096;

void show(Operator& ui, std::string_view title, std::string_view text) {
    ui.message(std::string(title), std::string(text));
}

// A set-up call failed after the open: release the device so the next attempt can open it.
int32_t failSetUp(UsbBridge& bridge, Operator& ui, BoardLink& link) {
    bridge.close(link.boardLinkHandle);
    link.boardLinkHandle = nullptr;
    show(ui, link_texts::USB_FAULT_TITLE, link_texts::CHECK_CABLES_TEXT);
    return -1;
}

}  // namespace

std::string_view descriptionText(const std::array<char, PRODUCT_STRING_SIZE>& buffer) {
    return std::string_view(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

int32_t openBoardLink(UsbBridge& bridge, Operator& ui, BoardLink& link) {
    // The count call's status is not examined: a failed call leaves the count at 0.
    uint32_t count = 0;
    bridge.getNumDevices(&count);
    if (count == 0) {
        show(ui, link_texts::NO_BOARD_TITLE, link_texts::NO_BOARD_TEXT);
        return -1;
    }

    std::array<char, PRODUCT_STRING_SIZE> description{};  // cleared once, before the first query
    bool found = false;
    for (uint32_t index = 0; index < count && !found; ++index) {
        if (bridge.getProductString(index, description.data(), PRODUCT_DESCRIPTION) != 0) {
            show(ui, link_texts::USB_FAULT_TITLE, link_texts::CHECK_CABLES_TEXT);
            return -1;
        }
        if (descriptionText(description) != link_texts::BOARD_PRODUCT_DESCRIPTION) continue;
        if (bridge.open(index, &link.boardLinkHandle) != 0) {
            show(ui, link_texts::USB_FAULT_TITLE, link_texts::CHECK_CABLES_TEXT);
            return -1;
        }
        found = true;
    }
    if (!found) {
        show(ui, link_texts::FAILURE_TITLE, link_texts::NOT_LOCATED_TEXT);
        return -1;
    }

    if (bridge.setBaudRate(link.boardLinkHandle, BRIDGE_BAUD_RATE) != 0 ||
        bridge.setLineControl(link.boardLinkHandle, BRIDGE_LINE_CONTROL) != 0)
        return failSetUp(bridge, ui, link);
    if (bridge.flushBuffers(link.boardLinkHandle, 1, 1) != 0 ||
        bridge.setTimeouts(BRIDGE_TIMEOUT_MS, BRIDGE_TIMEOUT_MS) != 0)
        return failSetUp(bridge, ui, link);
    return 0;
}

void closeBoardLink(UsbBridge& bridge, BoardLink& link) {
    if (!link.boardLinkOpen) return;
    bridge.close(link.boardLinkHandle);
    link.boardLinkOpen = false;
    link.boardLinkHandle = nullptr;
}

}  // namespace tivra
