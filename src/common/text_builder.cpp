#include "text_builder.h"

#include <cstring>
#include <new>

#include "dotted_quad.h"
#include "profile_text.h"

GrowingText& GrowingText::add(const char* piece) { return piece != nullptr ? add(piece, std::strlen(piece)) : *this; }

GrowingText& GrowingText::add(const char* piece, size_t length) {
    if (failed_ || piece == nullptr) return *this;
    if (length_ + length + 1 > capacity_) {
        size_t grown = capacity_ == 0 ? 256 : capacity_ * 2;
        while (grown < length_ + length + 1) grown *= 2;
        char* larger = new (std::nothrow) char[grown];
        if (larger == nullptr) {
            failed_ = true;
            return *this;
        }
        if (data_ != nullptr) std::memcpy(larger, data_, length_);
        delete[] data_;
        data_ = larger;
        capacity_ = grown;
    }
    std::memcpy(data_ + length_, piece, length);
    length_ += length;
    data_[length_] = '\0';
    return *this;
}

GrowingText& GrowingText::quad(uint32_t address) {
    char text[16];
    formatDottedQuad(address, text);
    return add(text);
}

GrowingText& GrowingText::number(int value) {
    char text[12];
    char* digits = text + sizeof text - 1;
    *digits = '\0';
    for (unsigned rest = value > 0 ? static_cast<unsigned>(value) : 0; rest > 0 || *digits == '\0'; rest /= 10)
        *--digits = static_cast<char>('0' + rest % 10);
    return add(digits);
}

int GrowingText::hand(char** out) {
    add("", 0);
    *out = failed_ ? nullptr : data_;
    if (failed_) delete[] data_;
    data_ = nullptr;
    length_ = capacity_ = 0;
    const int handed = failed_ ? 0 : 1;
    failed_ = false;
    return handed;
}

BoundedText::BoundedText(char* out, size_t size) : out_(out), size_(size), fits_(out != nullptr && size > 0) {
    if (fits_) out_[0] = '\0';
}

BoundedText& BoundedText::add(const char* piece) { return piece != nullptr ? add(piece, std::strlen(piece)) : *this; }

BoundedText& BoundedText::add(const char* piece, size_t length) {
    if (!fits_ || piece == nullptr) return *this;
    if (length_ + length >= size_) {
        fits_ = false;
        return *this;
    }
    std::memcpy(out_ + length_, piece, length);
    length_ += length;
    out_[length_] = '\0';
    return *this;
}

BoundedText& BoundedText::addCut(const char* piece, size_t reserve) {
    if (!fits_ || piece == nullptr) return *this;
    const size_t room = size_ - length_ > reserve + 1 ? size_ - length_ - reserve - 1 : 0;
    return add(piece, characterBoundaryLength(piece, room));
}

BoundedText& BoundedText::quad(uint32_t address) {
    char text[16];
    formatDottedQuad(address, text);
    return add(text);
}

int BoundedText::finish() {
    if (!fits_ && out_ != nullptr && size_ > 0) out_[0] = '\0';
    return fits_ ? 1 : 0;
}
