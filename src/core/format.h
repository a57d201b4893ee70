#pragma once
// How values are shown to the user and read back from what the user typed: the one
// place for dates, numbers and the decimal separator.
#include <QDate>
#include <QString>
#include <QVariant>

// The text of a value as grids and fields show it: dates as d.m.yyyy with leading
// zeros, numbers with DecimalSeparator, texts as they are, null as empty.
QString displayText(const QVariant &value);

// A number with the given count of decimals (-1: as many as the value needs, at most
// six); grouped puts a space between the thousands ("1 250,5").
QString formatNumber(double value, int decimals = -1, bool grouped = false);

// How a column shows its values. Auto goes by the value's own type (displayText).
enum class DisplayFormat { Auto, Text, Integer, Money, Quantity, Date };

// The format of a dictionary item's type letter (STRUK.TYP): "A" text, "D" date, "I"
// integer, "C" money (prices and amounts), any other letter a quantity.
DisplayFormat formatOfDictionaryType(const QString &type);

// A quantity grouped by thousands with the decimals it needs, at most three:
// "1 250", "2,5", "0,125".
QString formatQuantity(double value);

// A value in the given format: money as formatMoney (money.h), quantities as
// formatQuantity, integers as they are, dates dd.mm.yyyy; null is empty, and a value
// that is no number stays as it is in a number column.
QString formatValue(const QVariant &value, DisplayFormat format);

// Reads a number typed with either separator; ok is false for anything else.
double parseNumber(const QString &text, bool *ok = nullptr);

// Reads a date typed as d.m.yyyy (or with , / : as separators; a two-digit year is
// in this century); an invalid date for anything else.
QDate parseDate(const QString &text);
QString formatDate(const QDate &date);
