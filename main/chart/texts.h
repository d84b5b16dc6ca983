#pragma once

#include <string>
#include <string_view>

// Every text of the chart, in Russian whatever the system's language.

// The window's caption, and the entry that opens it from the report's menu.
inline constexpr std::string_view kChartCaption = "График отклонений";

// The report's menu where a shell makes it rather than its toolkit: these two,
// a separator, then the caption.
inline constexpr std::string_view kCopyTextEntry = "Копировать";
inline constexpr std::string_view kSelectAllEntry = "Выделить всё";

// The legend.
inline constexpr std::string_view kLineName = "Все отсчёты";
inline constexpr std::string_view kMarkersName = "Отсчёты отчёта";
inline constexpr std::string_view kLargestName = "Наибольшее отклонение";

inline constexpr std::string_view kAngleAxisTitle = "Угол, °";
inline constexpr std::string_view kDAxisTitle = "d = θ − r(θ), °";

// Before any run, and after a run without samples.
inline constexpr std::string_view kNoSamples = "Нет отсчётов";

// The chart's menu.
inline constexpr std::string_view kWholeRangeEntry = "Показать весь диапазон";
inline constexpr std::string_view kCopyImageEntry = "Копировать изображение";
inline constexpr std::string_view kSaveImageEntry = "Сохранить изображение…";
inline constexpr std::string_view kSaveDataEntry = "Сохранить данные…";

// A save dialog's caption, the name it proposes and its filter.
struct TSaveTexts {
    std::string_view Caption, Name, Filter;
};
inline constexpr TSaveTexts kSaveImage{"Сохранить изображение", "отклонения.png", "Изображение PNG (*.png)"};
inline constexpr TSaveTexts kSaveData{"Сохранить данные", "отклонения.csv", "Данные CSV (*.csv)"};

// A save that failed, with the path as the user knows it and the system's reason.
inline std::string FailedSaveText(std::string_view path, std::string_view reason)
{
    return "Не удалось сохранить «" + std::string(path) + "»:\n" + std::string(reason);
}
