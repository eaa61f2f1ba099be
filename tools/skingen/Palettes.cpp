#include "tools/skingen/Palettes.h"

namespace skingen {

const std::vector<Palette>& Palettes() {
  static const std::vector<Palette> palettes = [] {
    std::vector<Palette> p;
    // The default look: cool steel blue, gently rounded.
    p.push_back({QStringLiteral("default"), QStringLiteral("默认"), QColor(92, 128, 178), QColor(52, 84, 138),
                 QColor(60, 90, 140), QColor(226, 232, 242), QColor(250, 252, 255), QColor(150, 162, 184),
                 QColor(40, 52, 76), QColor(255, 196, 84), QColor(204, 64, 48), QColor(255, 255, 255),
                 QColor(20, 24, 36), QColor(255, 255, 255), QColor(52, 64, 88), Texture::Plain, 5, 4, 24,
                 false, false, false});
    // 古色古香: lacquered wood, cinnabar red accents, square shapes.
    p.push_back({QStringLiteral("1"), QStringLiteral("古色古香"), QColor(138, 78, 40), QColor(88, 44, 20),
                 QColor(96, 52, 26), QColor(236, 222, 196), QColor(252, 244, 226), QColor(170, 140, 104),
                 QColor(62, 30, 12), QColor(196, 40, 28), QColor(176, 32, 24), QColor(250, 244, 232),
                 QColor(52, 26, 10), QColor(255, 232, 176), QColor(240, 228, 210), Texture::Wood, 2, 5, 26,
                 false, true, true});
    // 海洋之心: deep sea blue to teal with waves, round buttons.
    p.push_back({QStringLiteral("2"), QStringLiteral("海洋之心"), QColor(24, 150, 180), QColor(8, 70, 120),
                 QColor(10, 84, 130), QColor(214, 238, 244), QColor(240, 252, 255), QColor(120, 170, 190),
                 QColor(4, 40, 70), QColor(64, 220, 220), QColor(230, 90, 70), QColor(248, 254, 255),
                 QColor(4, 36, 60), QColor(240, 255, 255), QColor(236, 248, 250), Texture::Waves, 8, 4, 25,
                 true, true, false});
    // 金属时代: brushed steel, hard edges, small corners.
    p.push_back({QStringLiteral("3"), QStringLiteral("金属时代"), QColor(196, 198, 202), QColor(112, 116, 124),
                 QColor(128, 132, 140), QColor(208, 210, 214), QColor(246, 246, 248), QColor(132, 134, 140),
                 QColor(48, 50, 56), QColor(90, 150, 220), QColor(170, 60, 50), QColor(244, 244, 246),
                 QColor(24, 24, 28), QColor(20, 22, 28), QColor(54, 56, 62), Texture::Brushed, 1, 5, 24, false,
                 true, true});
    // 蓝色妖姬: glossy midnight blue and violet, round buttons.
    p.push_back({QStringLiteral("4"), QStringLiteral("蓝色妖姬"), QColor(98, 70, 200), QColor(30, 20, 96),
                 QColor(44, 30, 120), QColor(222, 216, 244), QColor(248, 246, 255), QColor(146, 134, 196),
                 QColor(22, 14, 60), QColor(120, 200, 255), QColor(220, 50, 120), QColor(252, 250, 255),
                 QColor(20, 12, 50), QColor(255, 255, 255), QColor(234, 231, 247), Texture::Gloss, 7, 4, 25,
                 true, false, false});
    // 天然淡雅: pale celadon and rice paper, soft and light.
    p.push_back({QStringLiteral("5"), QStringLiteral("天然淡雅"), QColor(206, 228, 204), QColor(164, 200, 166),
                 QColor(150, 186, 152), QColor(240, 244, 232), QColor(255, 255, 250), QColor(176, 190, 170),
                 QColor(84, 108, 86), QColor(120, 170, 96), QColor(200, 110, 90), QColor(255, 255, 248),
                 QColor(40, 60, 42), QColor(36, 66, 40), QColor(50, 72, 52), Texture::Paper, 6, 3, 23, false,
                 false, true});
    // 新奇前卫: black and signal orange with bold stripes.
    p.push_back({QStringLiteral("6"), QStringLiteral("新奇前卫"), QColor(40, 40, 40), QColor(12, 12, 12),
                 QColor(250, 120, 10), QColor(236, 236, 228), QColor(255, 255, 255), QColor(120, 120, 112),
                 QColor(10, 10, 10), QColor(170, 230, 20), QColor(250, 120, 10), QColor(255, 255, 250),
                 QColor(16, 16, 16), QColor(250, 160, 40), QColor(205, 205, 205), Texture::Stripes, 0, 6, 27,
                 false, false, false});
    // 夜读: night reading, parchment text on deep ink blue, warm amber for
    // what is lit, and little blue light.
    p.push_back({QStringLiteral("7"), QStringLiteral("夜读"), QColor(44, 48, 62), QColor(24, 26, 36),
                 QColor(30, 32, 44), QColor(32, 34, 44), QColor(72, 76, 92), QColor(14, 15, 20),
                 QColor(6, 6, 10), QColor(96, 70, 30), QColor(140, 48, 40), QColor(18, 20, 26),
                 QColor(232, 220, 196), QColor(240, 228, 200), QColor(196, 192, 182), Texture::Plain, 4, 4, 24,
                 false, false, true, true});
    return p;
  }();
  return palettes;
}

}  // namespace skingen
