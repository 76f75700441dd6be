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

// One row per entry of a table whose entries are named (name, or first of a pair), by its
// index: rowsOf(TABLE) in the _data function, rowOf(TABLE) in the test.
template <typename Table> void rowsOf(const Table& table) {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(table.size()); ++i) {
        if constexpr (requires { table[i].name; })
            QTest::newRow(table[i].name) << i;
        else
            QTest::newRow(table[i].first) << i;
    }
}

template <typename Table> const auto& rowOf(const Table& table) {
    return table[*static_cast<int*>(QTest::qData("index", QMetaType::Int))];
}

} // namespace kelvara::test
