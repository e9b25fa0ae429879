#pragma once
// Checks of a library write's result that say its message when it is not the expected one.
#include "library/library_result.h"

#include <gtest/gtest.h>

namespace tw::fakes {

template <class T>::testing::AssertionResult Succeeded(const LibraryResult<T>& result) {
    if (result) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "failed: " << result.Error();
}

template <class T>::testing::AssertionResult Refused(const LibraryResult<T>& result) {
    if (!result) {
        return ::testing::AssertionSuccess() << result.Error();
    }
    return ::testing::AssertionFailure() << "the write was not refused";
}

// The value of a write expected to succeed; a failure is recorded and gives T{}.
template <class T> T Made(LibraryResult<T> result) {
    if (!result) {
        ADD_FAILURE() << "failed: " << result.Error();
        return T{};
    }
    return std::move(result.Value());
}

} // namespace tw::fakes
