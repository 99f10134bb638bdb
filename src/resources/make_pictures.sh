#!/usr/bin/env bash
# Redraws the splash picture and the program icon (ImageMagick). The committed files are the ones
# the program embeds; run this only to change them. The splash must stay a baseline JPEG of
# 320 x 247 pixels with three 8-bit components: the decoder and the window are made for that.
set -euo pipefail
cd "$(dirname "$0")"
im=/usr/bin/convert
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
book=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

"$im" -size 320x247 gradient:'#0b2545'-'#1f6f8b' \
    \( -size 320x247 radial-gradient:'#8ecae6'-none \) -compose over -composite \
    -fill none -stroke '#ffffff40' -strokewidth 2 \
    -draw "ellipse 160 200 190 40 0 360" -draw "ellipse 160 210 150 28 0 360" \
    -stroke none -fill '#f1faee' -font "$bold" -pointsize 22 -gravity center \
    -annotate +0-30 'Quorvantel Ostrel RK-2' \
    -fill '#caf0f8' -font "$book" -pointsize 13 -annotate +0+2 'Eight-channel serial multiplexer' \
    -pointsize 11 -annotate +0+24 'Configuration' \
    -strip -colorspace sRGB -type TrueColor -interlace none -sampling-factor 2x2,1x1,1x1 \
    -quality 92 splash.jpg

"$im" -size 64x64 xc:none -fill '#1f6f8b' -draw "roundrectangle 2,2 61,61 12,12" \
    -fill none -stroke '#8ecae6' -strokewidth 3 \
    -draw "line 14,22 50,22" -draw "line 14,32 50,32" -draw "line 14,42 50,42" \
    -stroke none -fill '#f1faee' \
    -draw "circle 14,22 18,22" -draw "circle 50,32 54,32" -draw "circle 14,42 18,42" \
    -strip PNG32:icon.png
