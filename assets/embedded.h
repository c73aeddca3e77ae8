// The pictures and sound effects compiled into the program.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace assets {

// The bytes of the file at name, its path under assets/ ("sprites/10.png",
// "sounds/02.wav", "launcher/mask.png", "icon.png"); empty when the program
// was built without it.
std::span<const std::uint8_t> find(std::string_view name);

}  // namespace assets
