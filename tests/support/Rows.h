#pragma once

#include <QTest>

#include <initializer_list>
#include <tuple>

namespace kelvara::test {

// The rows of a data-driven test as one column of tuples, each listed with its name:
// rows<int, QString>({{"name", 1, "a"}, ...}) in the _data function, then
// const auto [number, text] = row<int, QString>() in the test.
template <typename... Ts> void rows(std::initializer_list<std::tuple<const char*, Ts...>> all) {
    QTest::addColumn<std::tuple<Ts...>>("row");
    for (const auto& r : all)
        QTest::newRow(std::get<0>(r)) << std::apply(
            [](const char*, const Ts&... values) { return std::tuple<Ts...>(values...); }, r);
}

template <typename... Ts> std::tuple<Ts...> row() {
    return *static_cast<std::tuple<Ts...>*>(QTest::qData("row", qMetaTypeId<std::tuple<Ts...>>()));
}

} // namespace kelvara::test
