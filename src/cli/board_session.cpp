#include "cli/board_session.h"

#include <iostream>

#include "boards/bridge_choice.h"
#include "cli/cli_texts.h"
#include "cli/command_support.h"
#include "link/recording_bridge.h"

namespace tivra::cli {

namespace {

// A recording bridge that owns the bridge it records.
class TracingBridge final : public UsbBridge {
  public:
    explicit TracingBridge(std::unique_ptr<UsbBridge> inner)
        : inner_(std::move(inner)), recorder_(*inner_) {
        recorder_.onCall = [](const std::string& call) { std::cerr << "bridge: " << call << '\n'; };
    }

    int32_t getNumDevices(uint32_t* count) override { return recorder_.getNumDevices(count); }
    int32_t getProductString(uint32_t index, void* buffer, uint32_t kind) override {
        return recorder_.getProductString(index, buffer, kind);
    }
    int32_t open(uint32_t index, DeviceHandle* handle) override {
        return recorder_.open(index, handle);
    }
    int32_t close(DeviceHandle handle) override { return recorder_.close(handle); }
    int32_t read(DeviceHandle handle, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead,
                 void* overlapped) override {
        return recorder_.read(handle, buffer, bytesToRead, bytesRead, overlapped);
    }
    int32_t write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                  uint32_t* bytesWritten, void* overlapped) override {
        return recorder_.write(handle, buffer, bytesToWrite, bytesWritten, overlapped);
    }
    int32_t flushBuffers(DeviceHandle handle, uint8_t flushTransmit,
                         uint8_t flushReceive) override {
        return recorder_.flushBuffers(handle, flushTransmit, flushReceive);
    }
    int32_t setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) override {
        return recorder_.setTimeouts(readTimeoutMs, writeTimeoutMs);
    }
    int32_t checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                         uint32_t* queueStatus) override {
        return recorder_.checkRxQueue(handle, bytesInQueue, queueStatus);
    }
    int32_t setBaudRate(DeviceHandle handle, uint32_t baudRate) override {
        return recorder_.setBaudRate(handle, baudRate);
    }
    int32_t setLineControl(DeviceHandle handle, uint16_t lineControl) override {
        return recorder_.setLineControl(handle, lineControl);
    }

  private:
    std::unique_ptr<UsbBridge> inner_;
    RecordingBridge recorder_;
};

}  // namespace

std::vector<std::string>& bridgeReasons() {
    static std::vector<std::string> reasons;
    return reasons;
}

bool commandBridgeChoice(const Arguments& arguments, BridgeChoice& choice, std::string& error) {
    if (arguments.has("bridge")) {
        // An empty --bridge is a variable left unset by mistake, never the real boards.
        if (arguments.values.at("bridge").empty()) {
            error = std::string(BRIDGE_OPTION_EMPTY);
            return false;
        }
        return parseBridgeChoice(arguments.values.at("bridge"), choice, error);
    }
    return bridgeChoiceFromEnvironment(choice, error);
}

std::unique_ptr<UsbBridge> commandBridge(const Command& command, const Arguments& arguments,
                                         std::string& error) {
    BridgeChoice choice;
    if (!commandBridgeChoice(arguments, choice, error)) return nullptr;
    // Beside discovery's own message, the reason a named device would not open.
    const OpenFailureNote note = [&command](const std::string& why) {
        printError(command, why);
        bridgeReasons().push_back(why);
    };
    std::unique_ptr<UsbBridge> bridge = makeBridge(choice, error, note);
    if (!bridge || !arguments.has("trace")) return bridge;
    return std::make_unique<TracingBridge>(std::move(bridge));
}

int bridgeError(const Command& command, const Arguments& arguments, const std::string& error) {
    if (arguments.has("bridge")) return usageError(command, error);
    printError(command, std::string(BRIDGE_VARIABLE_NAME) + ": " + error);
    return STATUS_UNUSABLE;
}

}  // namespace tivra::cli
