#include "world/Input.h"

Input::~Input() = default;

bool Input::left() { return false; }

bool Input::right() { return false; }

bool Input::up() { return false; }

bool Input::down() { return false; }

void Input::update() {}
