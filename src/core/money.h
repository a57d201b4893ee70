#pragma once
// Money and date arithmetic shared by the commercial documents (VAT summary, line
// totals, the amount in words) and the inspection rules (one year after a date).
// Pure Qt Core: no widgets, no database, no program parameters (amounts are shown
// with the process-wide decimal separator). The caller passes the
// rates, rounding steps and the prices-include-VAT flag it has taken from the document
// or the parameters, so every routine can be tested on its own.
#include <QDate>
#include <QString>
#include <QtGlobal>
#include <array>

// The VAT summary of one document: eleven amounts numbered 1 to 11, the numbers the
// documents use. The caller zeroes it, puts the sums of its lines into 1 to 3 and calls
// PrepXTabDPH, which fills the rest and replaces 1 to 3 by the bases after discount.
struct TTabDPH
{
    enum Hodnota {
        ZakZ = 1,     // base at the basic rate ('Z' lines)
        ZakS,         // base at the reduced rate ('S' lines)
        ZakB,         // base without VAT (lines of any other class)
        Mezisoucet,   // the three line sums as passed in, before the discount
        ZakCelkem,    // total base (1 + 2 + 3)
        DanZ,         // VAT at the basic rate
        DanS,         // VAT at the reduced rate
        DanCelkem,    // total VAT (6 + 7)
        SlevaKc,      // discount amount
        Castka,       // amount to pay, a multiple of the total rounding step
        Zaokr,        // rounding difference: 10 - (5 + 8)
    };

    std::array<double, 11> hodnoty{};

    double &operator[](int cislo) { return hodnoty.at(std::size_t(cislo - 1)); }
    double operator[](int cislo) const { return hodnoty.at(std::size_t(cislo - 1)); }
    void clear() { hodnoty.fill(0.0); }
};

// Fills the VAT summary from the line sums in values 1 to 3.
//   slevaProc    discount per cent taken off every class before VAT (0 = none)
//   cenySDPH     true when the line prices already include VAT
//   sazbaZ/S     basic and reduced rate in per cent
//   krokDPH      step the VAT of each class is rounded to (0.01, 0.10)
//   krokCelkem   step the amount to pay is rounded to (0.01, 0.10, 0.50, 1.00)
// A step of 0 or less means 0.01: a database that has never stored its steps still
// gets amounts in hundredths. Returns 0, or -1 for a null record or a line sum that is
// not a number (the record is then left as it was).
//
// The arithmetic, per class:
//   discount  = line sum × slevaProc / 100, rounded to hundredths
//   after     = line sum − discount, rounded to hundredths
//   prices without VAT: base = after, VAT = base × rate / 100 rounded to krokDPH
//   prices with VAT:    VAT = after × rate / (100 + rate) rounded to krokDPH (the VAT
//                       contained in the gross price), base = after − VAT
// then 9 = sum of the discounts (in the prices the document uses, so 0 % gives exactly
// 0), 10 = (5 + 8) rounded to krokCelkem and 11 = 10 − (5 + 8). The printed parts
// therefore always add up: 5 + 8 + 11 = 10.
int PrepXTabDPH(TTabDPH *tab, double slevaProc, bool cenySDPH, int sazbaZ, int sazbaS,
                double krokDPH, double krokCelkem);

// The value rounded to a multiple of the step (0 or less means 0.01). With nahoru false
// the nearest multiple, halves away from zero; with nahoru true the next multiple away
// from zero (an exact multiple stays). Halves are judged on the decimal value the user
// sees, not on its binary approximation: Round(1.005, 0.01) is 1.01 and
// Round(30.015, 0.01) is 30.02. Meant for amounts below 10^12.
double Round(double value, double step, bool nahoru = false);

// The Czech words of a whole amount of crowns, for the amount in words on receipts:
// "dva tisíce osm set čtrnáct korun českých", "jedna koruna česká",
// "minus dvě stě korun českých". Lower case, words separated by single spaces.
QString DejSlovyKC(qint64 castka);

// An amount as every list, grid, field and printout shows it: two decimals with the
// program's decimal separator and the thousands grouped by spaces, "## ### ##0.00":
// 7.2 -> "7,20", 1250 -> "1 250,00", -0.004 -> "0,00".
QString formatMoney(double amount);

// Adds years, months and days to the date in place. Years and months are added
// together first, keeping the day of the month but never past the month's end
// (29.2.2024 + 12 months is 28.2.2025, 31.1. + 1 month is the last day of February);
// the days are added after that. Any of the three may be negative. An invalid date,
// or a result outside the dates QDate can hold, leaves the date unchanged.
void PlusDT(int roky, int mesice, int dny, QDate &datum);
