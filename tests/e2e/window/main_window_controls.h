// The controls of the main window that the tests find from outside, by their tab index (the
// window's identifier of each is 1000 plus its tab index).
#pragma once

namespace tassefiche::e2e {

inline constexpr int kBtCompres = 0;
inline constexpr int kBtDecomp = 1;
inline constexpr int kCommande1 = 2;
inline constexpr int kBtcInfo = 3;
inline constexpr int kText1 = 6;
inline constexpr int kOption1 = 8;
inline constexpr int kOption2 = 9;
inline constexpr int kOption3 = 10;
inline constexpr int kCheck2 = 13;
inline constexpr int kLecteur1 = 16;
inline constexpr int kRepertoire1 = 17;
inline constexpr int kFichier1 = 18;
inline constexpr int kLecteur2 = 19;
inline constexpr int kRepertoire2 = 20;
inline constexpr int kFichier2 = 26;
inline constexpr int kLabel2 = 31;

}  // namespace tassefiche::e2e
