#pragma once
// Result codes of the media platform, with the numeric values the callers' code was written
// against: success is zero or positive, failure has the top bit set.
#include <cstdint>
#include <stdexcept>
#include <string>

using HRESULT = int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;

constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001);
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002);
constexpr HRESULT E_POINTER = HRESULT(0x80004003);
constexpr HRESULT E_ABORT = HRESULT(0x80004004);
constexpr HRESULT E_FAIL = HRESULT(0x80004005);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFF);
constexpr HRESULT E_ACCESSDENIED = HRESULT(0x80070005);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000E);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057);
constexpr HRESULT HRESULT_FILE_NOT_FOUND = HRESULT(0x80070002);  // from the system error 2
constexpr HRESULT HRESULT_BAD_NETPATH = HRESULT(0x80070035);     // from the system error 53

constexpr HRESULT REGDB_E_CLASSNOTREG = HRESULT(0x80040154);
constexpr HRESULT MK_E_UNAVAILABLE = HRESULT(0x800401E3);
constexpr HRESULT CO_E_CLASSSTRING = HRESULT(0x800401F3);

constexpr HRESULT VFW_S_PARTIAL_RENDER = HRESULT(0x00040242);
constexpr HRESULT VFW_E_NOT_CONNECTED = HRESULT(0x80040209);
constexpr HRESULT VFW_E_NOT_FOUND = HRESULT(0x80040216);
constexpr HRESULT VFW_E_CANNOT_CONNECT = HRESULT(0x80040217);
constexpr HRESULT VFW_E_CANNOT_RENDER = HRESULT(0x80040218);
constexpr HRESULT VFW_E_WRONG_STATE = HRESULT(0x80040227);
constexpr HRESULT VFW_E_INVALID_FILE_FORMAT = HRESULT(0x8004022F);
constexpr HRESULT VFW_E_UNKNOWN_FILE_TYPE = HRESULT(0x80040240);
constexpr HRESULT VFW_E_CANNOT_LOAD_SOURCE_FILTER = HRESULT(0x80040241);
constexpr HRESULT VFW_E_NO_AUDIO_HARDWARE = HRESULT(0x80040256);
constexpr HRESULT VFW_E_UNSUPPORTED_STREAM = HRESULT(0x80040265);
constexpr HRESULT VFW_E_DVD_RENDERFAIL = HRESULT(0x8004027A);
constexpr HRESULT VFW_E_DVD_DECNOTENOUGH = HRESULT(0x8004027B);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

namespace com {

// An error raised by the object services, carrying the failing result code.
class ComError : public std::runtime_error {
public:
    ComError(HRESULT code, const std::string& message) : std::runtime_error(message), code_(code) {}
    HRESULT code() const { return code_; }

private:
    HRESULT code_;
};

// "0x80004005" style text of a result code.
std::string resultText(HRESULT hr);

// Raises ComError with a generic message when hr is a failure.
void check(HRESULT hr);

}  // namespace com
