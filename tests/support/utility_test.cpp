#include "support/utility.hpp"

#include <gtest/gtest.h>

TEST(ConvertToUnsigned, placeholder) { EXPECT_EQ(zor::Utility::convertToUnsigned("42"), 42u); }
