"""The click table against the layouts, so a moved control moves its click."""

import re
from pathlib import Path

import pytest

import clicks

SOURCE = Path(__file__).resolve().parents[2]


@pytest.mark.parametrize("control", clicks.ALL, ids=lambda c: f"{c.header}:{c.name}")
def test_click_table_matches_layout(control):
    text = (SOURCE / control.header).read_text()
    found = re.search(rf'\b{control.name}\{{\*this, "{control.name}", \{{([\d, ]+)\}}', text)
    assert found, f"no {control.name} in {control.header}"
    assert tuple(int(n) for n in found.group(1).split(",")) == control.rect


@pytest.mark.parametrize("splash", clicks.SPLASH.values(), ids=lambda s: s.source)
def test_splash_size_matches_layout(splash):
    text = (SOURCE / splash.source).read_text()
    width, height = splash.size
    assert re.search(rf"\.width = {width},\s*\.height = {height},", text)
