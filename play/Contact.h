#pragma once

#include <optional>

class Player;

// What one contact between two creatures does, decided from their places,
// velocities and health alone. Creatures are discs of equal mass: a contact
// swaps their velocities along the line of centres. The faster one deals a
// blow equal to the closing speed and heals a quarter of it; a blow the
// user's creature deals earns money. The play screen applies the outcome
// (health, kills, score, bubbles and sound); nothing here draws a random number.
class Contact {
public:
    static constexpr float HEAL_SHARE = 0.25f;
    static constexpr int POINTS_PER_HIT_UNIT = 50;
    static constexpr int KILL_BONUS = 2500;

    // Nothing when the two do not touch, are coincident or are moving apart.
    static std::optional<Contact> between(const Player& a, const Player& b);

    float impulse;      // the closing speed: the blow, and the speed exchanged
    float nx;           // the line of centres, from b towards a
    float ny;
    bool firstFaster;   // a dealt the blow; at equal speeds b does
    float slowerHealth; // the slower one's health after the blow
    bool kills;         // that health is gone
    float healing;      // the faster one's gain, up to its ceiling
    int points;         // what the blow earns when the user's creature deals it
};
