// Windows backend: the displays are the active monitors of the display adapters attached to
// the desktop, as EnumDisplayDevicesW reports them, and a display's EDID is the "EDID" value
// that the monitor driver keeps in the monitor's device registry key.
#include <windows.h>
// setupapi.h needs the declarations of windows.h.
#include <setupapi.h>

#include <string>
#include <vector>

#include "../DisplayBackend.h"

namespace libqorwin::detail {

namespace {

// The device interface class of monitors, {E6F07B5F-EE97-4A90-B076-33F57BF4EAA7}.
constexpr GUID MONITOR_INTERFACE_CLASS = {
    0xe6f07b5f, 0xee97, 0x4a90, {0xb0, 0x76, 0x33, 0xf5, 0x7b, 0xf4, 0xea, 0xa7}};

// UTF-16 text of the system as a UTF-8 String.
qor::String toUtf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(length) - 1);  // drop the terminating NUL
    return utf8;
}

DISPLAY_DEVICEW emptyDisplayDevice() {
    DISPLAY_DEVICEW device{};
    device.cb = sizeof device;
    return device;
}

void appendActiveMonitors(const DISPLAY_DEVICEW& adapter, qor::Array<Display>& displays) {
    const qor::String portLocator = toUtf8(adapter.DeviceName);
    DISPLAY_DEVICEW monitor = emptyDisplayDevice();
    for (DWORD i = 0;
         EnumDisplayDevicesW(adapter.DeviceName, i, &monitor, EDD_GET_DEVICE_INTERFACE_NAME); ++i) {
        if ((monitor.StateFlags & DISPLAY_DEVICE_ACTIVE) != 0 && monitor.DeviceID[0] != L'\0') {
            // With EDD_GET_DEVICE_INTERFACE_NAME, DeviceID holds the device interface path.
            displays.append(
                Display(portLocator, toUtf8(monitor.DeviceID), toUtf8(monitor.DeviceName)));
        }
        monitor = emptyDisplayDevice();
    }
}

// Destroys a SetupAPI device information set when it goes out of scope.
class DeviceInfoSet {
  public:
    DeviceInfoSet()
        : set_(SetupDiGetClassDevsW(&MONITOR_INTERFACE_CLASS, nullptr, nullptr,
                                    DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)) {}
    ~DeviceInfoSet() {
        if (isValid()) {
            SetupDiDestroyDeviceInfoList(set_);
        }
    }
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;

    bool isValid() const { return set_ != INVALID_HANDLE_VALUE; }
    HDEVINFO get() const { return set_; }

  private:
    HDEVINFO set_;
};

// Closes a registry key when it goes out of scope.
class RegistryKey {
  public:
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() {
        if (isValid()) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool isValid() const { return key_ != nullptr && key_ != INVALID_HANDLE_VALUE; }
    HKEY get() const { return key_; }

  private:
    HKEY key_;
};

// The interface path of one monitor interface, filling `device` with the monitor's device;
// empty when it cannot be read.
qor::String interfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& interfaceData,
                          SP_DEVINFO_DATA& device) {
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        return {};
    }
    // The detail structure ends in a variable-length path; operator new storage is suitably
    // aligned for it.
    std::vector<unsigned char> storage(required);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, required, nullptr,
                                          &device)) {
        return {};
    }
    return toUtf8(detail->DevicePath);
}

EDIDStatus readEdidValue(HDEVINFO set, SP_DEVINFO_DATA& device, qor::Buffer<unsigned char>& edid) {
    const RegistryKey key(
        SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ));
    if (!key.isValid()) {
        return GetLastError() == ERROR_ACCESS_DENIED ? EDIDStatus::PermissionDenied
                                                     : EDIDStatus::ReadFailed;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), L"EDID", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY) {
        return EDIDStatus::ReadFailed;
    }
    edid.resize(size);
    if (size != 0 &&
        RegQueryValueExW(key.get(), L"EDID", nullptr, &type, edid.data(), &size) != ERROR_SUCCESS) {
        return EDIDStatus::ReadFailed;
    }
    edid.resize(size);
    return EDIDStatus::OK;
}

}  // namespace

qor::Array<Display> enumerateDisplays() {
    qor::Array<Display> displays;
    DISPLAY_DEVICEW adapter = emptyDisplayDevice();
    for (DWORD i = 0; EnumDisplayDevicesW(nullptr, i, &adapter, 0); ++i) {
        if ((adapter.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) != 0) {
            appendActiveMonitors(adapter, displays);
        }
        adapter = emptyDisplayDevice();
    }
    return displays;
}

EDIDStatus readEDID(const Display& display, qor::Buffer<unsigned char>& edid) {
    edid.clear();
    const DeviceInfoSet set;
    if (!set.isValid()) {
        return EDIDStatus::ReadFailed;
    }
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set.get(), nullptr, &MONITOR_INTERFACE_CLASS, i,
                                                  &interfaceData);
         ++i) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (equalsIgnoringCase(interfacePath(set.get(), interfaceData, device),
                               display.getDisplayPath())) {
            return readEdidValue(set.get(), device, edid);
        }
    }
    return EDIDStatus::ReadFailed;
}

}  // namespace libqorwin::detail
