#pragma once
// Card identity shared by every game: a card is a number 1..40, 0 = no card.
// Suits in order 1 = Denari, 2 = Spade, 3 = Bastoni, 4 = Coppe; numbers 1..10 per suit,
// where 8, 9 and 10 are the figures (Fante, Cavallo, Re).
#include <string>

enum SemiCarte { Denari = 1, Spade = 2, Bastoni = 3, Coppe = 4 };

constexpr int CarteNelMazzo = 40;

// Suit 1..4 of card c (1..40).
constexpr int SemeCarta(int c) { return (c - 1) / 10 + 1; }
// Number 1..10 of card c; a remainder of 0 reads as 10.
constexpr int NumeroCarta(int c) { return c % 10 == 0 ? 10 : c % 10; }
// Card number from suit and number.
constexpr int CartaDa(int seme, int numero) { return (seme - 1) * 10 + numero; }

// "%02d Denari" ...; card 0 (or anything outside 1..40) has the empty name.
std::string NomeCarta(int c);
// Name of suit 1..4, empty otherwise.
const char* NomeSeme(int seme);
