#include "hooks/hook_loader.h"

#include <cstdio>

namespace tw {

namespace {

constexpr std::uint32_t kErrorModNotFound = 126; // ERROR_MOD_NOT_FOUND

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/' || c == ':';
}

bool EqualsAsciiNoCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

} // namespace

std::string HookLibraryRetryName(const std::string& name) {
    // The extension is the part after the last dot of the file name, not of a folder.
    std::size_t dot = std::string::npos;
    for (std::size_t i = name.size(); i > 0; --i) {
        const char c = name[i - 1];
        if (IsPathSeparator(c))
            break;
        if (c == '.') {
            dot = i - 1;
            break;
        }
    }
    if (dot == std::string::npos)
        return name + ".dll";
    if (EqualsAsciiNoCase(name.substr(dot), ".dll"))
        return {};
    return name.substr(0, dot) + ".dll";
}

std::int32_t HookLoader::LoadHookLibrary(const std::string& name) {
    if (module_ != 0) {
        ++count_;
        return kHookNoError;
    }
    HookModule module = port_.Load(name);
    if (module == 0) {
        const std::string retry = HookLibraryRetryName(name);
        if (!retry.empty())
            module = port_.Load(retry);
    }
    if (module == 0) {
        const std::uint32_t error = port_.LastErrorCode();
        // A failed load that leaves no error code must still read as a failure, never as 0.
        return static_cast<std::int32_t>(error == 0 ? kErrorModNotFound : error);
    }
    module_ = module;
    ++count_;
    attachReceiver_ = port_.Resolve(module_, "AttachReceiver");
    detachReceiver_ = port_.Resolve(module_, "DetachReceiver");
    lastError_ = port_.Resolve(module_, "LastError");
    if (attachReceiver_ == 0 || detachReceiver_ == 0 || lastError_ == 0) {
        ReleaseHookLibrary();
        return kHookMissingExports;
    }
    return kHookNoError;
}

void HookLoader::ReleaseHookLibrary() {
    if (module_ == 0)
        return;
    if (--count_ > 0)
        return;
    port_.Unload(module_);
    Clear();
}

void HookLoader::Clear() {
    module_ = 0;
    count_ = 0;
    attachReceiver_ = detachReceiver_ = lastError_ = 0;
}

std::string HookLoader::HookErrorText(std::int32_t status) {
    switch (status) {
    case kHookNoError:
        return "No error.";
    case kHookMissingExports:
        return "DLL doesn't export all required functions.";
    case kHookReceiverAlreadyRegistered:
        return "Receiver already registered.";
    case kHookReceiverNotRegistered:
        return "Receiver not registered.";
    case kHookTooManyReceivers:
        return "Too many receivers.";
    case kHookAlreadyInstalled:
        return "System hook already installed.";
    default:
        break;
    }
    if (status >= 1)
        return port_.SystemErrorText(static_cast<std::uint32_t>(status));
    char text[40];
    std::snprintf(text, sizeof text, "Unknown error %d", static_cast<int>(status));
    return text;
}

std::int32_t HookLoader::AttachReceiver(TKvHookKind kind, std::uintptr_t receiver,
                                        bool allowFiltering) {
    if (attachReceiver_ == 0)
        return kHookMissingExports;
    return port_.CallAttachReceiver(attachReceiver_, static_cast<std::uint8_t>(kind), receiver,
                                    allowFiltering);
}

void HookLoader::CheckUnloadedAtExit() {
    if (module_ != 0)
        port_.ShowLeftLoadedWarning("KvSysHook DLL was not unloaded!", "KvSysHookLoader");
}

} // namespace tw
