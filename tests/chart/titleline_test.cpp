#include <gtest/gtest.h>

#include "main/chart/texts.h"
#include "main/chart/titleline.h"

namespace {

TEST(ChartTexts, TitleLineAndFailedSave)
{
    EXPECT_EQ(TitleLine("0.00", "89.99", 8999), "0.00 … 89.99, отсчётов: 8999");
    EXPECT_EQ(TitleLine("95.00", "89.99", 0), "95.00 … 89.99, отсчётов: 0");
    EXPECT_EQ(FailedSaveText("/tmp/a/b.png", "Нет такого файла"), "Не удалось сохранить «/tmp/a/b.png»:\nНет такого файла");
}

} // namespace
