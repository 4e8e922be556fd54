#pragma once
// Reading a fuzzer's bytes as a sequence of small numbers and slices; past the end everything is 0.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzz {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return position_ >= size_; }
    size_t left() const { return size_ - position_; }
    template <class T>
    T take()
    {
        T value{};
        const size_t n = sizeof(T) < left() ? sizeof(T) : left();
        if (n)
            std::memcpy(&value, data_ + position_, n);
        position_ += n;
        return value;
    }
    // Up to `wanted` bytes; `got` says how many.
    const uint8_t* slice(size_t wanted, size_t& got)
    {
        got = wanted < left() ? wanted : left();
        const uint8_t* p = data_ + position_;
        position_ += got;
        return p;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

}  // namespace fuzz
