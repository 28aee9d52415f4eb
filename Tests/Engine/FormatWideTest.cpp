#include "GameEngine/FormatWide.h"

#include <gtest/gtest.h>
#include <string>

TEST(FormatWideTest, CutsATextThatDoesNotFitAndKeepsItTerminated)
{
    WideText buffer;
    const std::wstring exactFit(wideTextCapacity - 1, L'a');
    EXPECT_EQ(formatWide(buffer, L"%ls", exactFit.c_str()), 255);
    EXPECT_EQ(std::wstring(buffer), exactFit);

    const std::wstring tooLong(1000, L'b');
    const int written = formatWide(buffer, L"Player %d: %ls", 2, tooLong.c_str());
    EXPECT_LE(written, 255);
    EXPECT_EQ(buffer[wideTextCapacity - 1], L'\0');
    EXPECT_EQ(std::wstring(buffer),
              L"Player 2: " + std::wstring(static_cast<std::size_t>(written) - 10, L'b'));
}
