#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the help window's background (help_background.mvg) to the JPEG the program embeds:
# 320 x 280, 24-bit colour, baseline. Run it after editing the drawing and commit both files.
set -euo pipefail
cd "$(dirname "$0")"
convert mvg:help_background.mvg -strip -type TrueColor -interlace none -sampling-factor 1x1 \
  -quality 90 jpg:help_background.jpg
