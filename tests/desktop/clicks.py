"""Where the tests click: each control's centre in layout pixels, which the
scale factor multiplies. The rectangles are the layouts' own, in twips
(left, top, width, height), and so are the splashes' sizes; test_layouts.py
holds them to the sources."""

from dataclasses import dataclass

TWIPS_PER_PIXEL = 15


@dataclass(frozen=True)
class Control:
    header: str  # the layout, from the source root
    name: str  # the control's name there
    rect: tuple

    @property
    def point(self):
        left, top, width, height = self.rect
        return ((left + width // 2) // TWIPS_PER_PIXEL, (top + height // 2) // TWIPS_PER_PIXEL)


NEBULOR_NEW_GAME = Control("nebulor/menu.h", "Command1", (2280, 1920, 1815, 375))  # "Nová hra"
NEBULOR_ABOUT = Control("nebulor/menu.h", "Command4", (2280, 2520, 1815, 375))  # "About"
NEBULOR_END = Control("nebulor/menu.h", "Command3", (2280, 3120, 1815, 375))  # "Koniec"
NEBULOR_SYSTEM_INFO = Control("about/nebulor_about.h", "cmdSysInfo", (4200, 4080, 1245, 345))
QUORREL_START = Control("quorrel/hra.h", "Command1", (3720, 1320, 1455, 375))  # "Štart"
QUORREL_ABOUT = Control("quorrel/hra.h", "Command3", (3720, 1980, 1455, 315))  # "About"
QUORREL_ABOUT_OK = Control("about/quorrel_about.h", "cmdOK", (2880, 2160, 1260, 345))
QUORREL_SYSTEM_INFO = Control("about/quorrel_about.h", "cmdSysInfo", (2880, 2640, 1245, 345))

ALL = [NEBULOR_NEW_GAME, NEBULOR_ABOUT, NEBULOR_END, NEBULOR_SYSTEM_INFO, QUORREL_START,
       QUORREL_ABOUT, QUORREL_ABOUT_OK, QUORREL_SYSTEM_INFO]


@dataclass(frozen=True)
class Splash:
    source: str
    size: tuple  # width, height

    def pixels(self, scale):
        return tuple(n // TWIPS_PER_PIXEL * scale for n in self.size)


# Borderless, so what shows of them is exactly this size.
SPLASH = {"nebulor": Splash("nebulor/logo.cpp", (4680, 1830)),  # Logo
          "quorrel": Splash("quorrel/uvod.cpp", (4395, 1890))}  # Uvod
