#!/usr/bin/env bash
# Draws the application's own artwork and sounds into resources/media/.
#
# The outputs are committed, so a build never needs ffmpeg, sox or ImageMagick; run this
# only to change the artwork. Every random choice is seeded and every timestamp is left out,
# so two runs with the same tool versions give the same bytes.
#
# Usage: tools/generate-media.sh [output-directory]   (default: resources/media)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="${1:-$here/../resources/media}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

for tool in convert ffmpeg sox awk; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "generate-media: '$tool' is missing; on Debian: apt-get install -y ffmpeg sox imagemagick" >&2
    exit 1
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Same number formatting and sorting everywhere, whatever the caller's locale.
export LC_ALL=C

# PNGs without time stamps or tool comments, so reruns are byte-identical.
png_flags=(-strip -define "png:exclude-chunks=date,time" -define "png:compression-level=9")

# ---------------------------------------------------------------------------------------
# Drawing helpers. Each prints ImageMagick -draw primitives; awk does the geometry and a
# small linear congruential generator stands in for randomness, so the shapes are fixed.
# ---------------------------------------------------------------------------------------

# rays X Y COUNT CENTRE_DEG SPREAD_DEG HALF_WIDTH_DEG ALPHA SEED
# A fan of light beams leaving (X, Y); angles are in image terms (90 points straight down).
rays() {
  awk -v ox="$1" -v oy="$2" -v n="$3" -v c="$4" -v s="$5" -v hw="$6" -v a="$7" -v seed="$8" '
    function rnd() { seed = (seed * 1103515245 + 12345) % 2147483648; return seed / 2147483648 }
    BEGIN {
      pi = atan2(0, -1); len = 6000
      for (i = 0; i < n; i++) {
        ang = c - s / 2 + (n > 1 ? s * i / (n - 1) : s / 2) + (rnd() - 0.5) * s / n
        w = hw * (0.5 + rnd())
        al = a * (0.45 + 0.55 * rnd())
        a1 = (ang - w) * pi / 180; a2 = (ang + w) * pi / 180
        printf "fill rgba(255,255,255,%.3f) polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f ", al, ox, oy,
          ox + len * cos(a1), oy + len * sin(a1), ox + len * cos(a2), oy + len * sin(a2)
      }
    }'
}

# wave WIDTH HEIGHT BASE_Y AMPLITUDE PERIODS PHASE COLOUR
# A filled band under a gentle sine curve, like a far hill or a slow swell.
wave() {
  awk -v w="$1" -v h="$2" -v y0="$3" -v amp="$4" -v k="$5" -v ph="$6" -v col="$7" '
    BEGIN {
      pi = atan2(0, -1)
      printf "fill %s path '\''M 0,%d ", col, h + 10
      for (x = 0; x <= w; x += w / 120) {
        y = y0 + amp * sin(2 * pi * k * x / w + ph) + amp * 0.35 * sin(2 * pi * k * 2.7 * x / w + ph * 1.9)
        printf "L %.1f,%.1f ", x, y
      }
      printf "L %d,%d Z'\'' ", w, h + 10
    }'
}

# motes WIDTH HEIGHT COUNT MIN_R MAX_R ALPHA SEED
# Soft round specks of light scattered over the picture.
motes() {
  awk -v w="$1" -v h="$2" -v n="$3" -v r0="$4" -v r1="$5" -v a="$6" -v seed="$7" '
    function rnd() { seed = (seed * 1103515245 + 12345) % 2147483648; return seed / 2147483648 }
    BEGIN {
      for (i = 0; i < n; i++) {
        x = rnd() * w; y = rnd() * h; r = r0 + (r1 - r0) * rnd() ^ 2
        printf "fill rgba(255,255,255,%.3f) circle %.1f,%.1f %.1f,%.1f ", a * (0.4 + 0.6 * rnd()), x, y, x + r, y
      }
    }'
}

# glow FILE RADIUS "R,G,B" ALPHA: a round light fading to nothing at its rim.
glow() {
  local d=$(($2 * 2))
  convert -size "${d}x${d}" radial-gradient:"rgba($3,$4)-rgba($3,0)" "$1"
}

# at X Y RADIUS: the -geometry offset that centres a glow of RADIUS on (X, Y).
at() {
  printf '%+d%+d' "$(($1 - $3))" "$(($2 - $3))"
}

# ---------------------------------------------------------------------------------------
# Header images: TopArea1 ... TopArea9.
# A page shows them filling 1200x100 points and the preferences panel fits one into 700x80,
# so a 9:1 picture serves both without much cropping or empty margin.
# ---------------------------------------------------------------------------------------
TW=1800
TH=200

# header INDEX "TL TR BL BR" LIGHT_X LIGHT_Y BEAM_DIRECTION_DEG WAVE1 WAVE2 SEED
header() {
  local i="$1" dir="$5" seed="$8"
  local -a c
  read -r -a c <<<"$2"
  local rx="$3" ry="$4" w1="$6" w2="$7"
  local base="$work/top$i-base.png" light="$work/top$i-light.png" land="$work/top$i-land.png"
  local grain="$work/top$i-grain.png" sun="$work/top$i-sun.png"

  convert -size "${TW}x${TH}" xc: -sparse-color Bilinear \
    "0,0 ${c[0]} $((TW - 1)),0 ${c[1]} 0,$((TH - 1)) ${c[2]} $((TW - 1)),$((TH - 1)) ${c[3]}" \
    "$base"

  # Light: a glow where the beams start, the beams themselves and a few motes, all blurred.
  glow "$sun" 260 "255,250,235" 0.55
  convert -size "${TW}x${TH}" xc:none \
    -draw "$(rays "$rx" "$ry" 9 "$dir" 110 3.2 0.16 "$seed")" \
    -draw "$(motes "$TW" "$TH" 22 3 12 0.22 "$((seed + 7))")" \
    -channel RGBA -blur 0x9 +channel \
    "$sun" -geometry "$(at "$rx" "$ry" 260)" -compose Over -composite "$light"

  convert -size "${TW}x${TH}" xc:none \
    -draw "$(wave "$TW" "$TH" 150 14 1.5 "0.$seed" "$w1")" \
    -draw "$(wave "$TW" "$TH" 172 10 2.2 "1.$seed" "$w2")" \
    -channel RGBA -blur 0x2 +channel "$land"

  # A faint cloudy grain keeps the gradients from looking flat and hides banding.
  convert -size "$((TW / 4))x$((TH / 4))" -seed "$seed" plasma:grey50-grey50 \
    -colorspace Gray -blur 0x1 -resize "${TW}x${TH}!" "$grain"

  convert "$base" \
    \( "$grain" -evaluate multiply 0.5 -evaluate add 25% \) -compose SoftLight -composite \
    "$land" -compose Over -composite \
    "$light" -compose Screen -composite \
    -depth 8 "${png_flags[@]}" "PNG24:$out/TopArea$i.png"
}

draw_headers() {
  #       corners: top-left top-right bottom-left bottom-right    light, beams   wave colours
  header 1 "#F3BF8C #E2949E #D88A6E #9B7AB0" 300 -60 90 \
    "rgba(150,90,120,0.30)" "rgba(110,70,110,0.35)" 11
  header 2 "#A6D6EA #5F9FCD #7DB7D6 #3E6EA7" 1350 -80 90 \
    "rgba(40,90,140,0.25)" "rgba(30,70,120,0.30)" 23
  header 3 "#B7C899 #7EA17F #8DAE7D #4E7961" 900 -90 90 \
    "rgba(60,100,70,0.30)" "rgba(40,80,60,0.35)" 37
  header 4 "#3D3C6F #7A5C9E #574880 #BE79A0" 1450 -50 90 \
    "rgba(40,30,80,0.35)" "rgba(30,25,65,0.40)" 41
  header 5 "#E6D0A4 #CDA56D #D6B985 #A47A4F" 500 -70 90 \
    "rgba(150,105,60,0.25)" "rgba(120,85,50,0.30)" 53
  header 6 "#60B8B0 #2F8190 #3D9A9A #1E5A6E" 1100 -80 90 \
    "rgba(20,70,90,0.30)" "rgba(15,55,75,0.35)" 67
  header 7 "#E6A85A #C86F4A #D08A4E #8E4A3A" 250 -60 90 \
    "rgba(120,60,40,0.30)" "rgba(95,45,35,0.35)" 71
  header 8 "#26395F #3F5A86 #B8825B #DFAE70" 1500 230 270 \
    "rgba(30,40,70,0.40)" "rgba(20,30,55,0.45)" 83
  header 9 "#C8B7DF #998BC3 #B3A5D3 #7C76AD" 700 -90 90 \
    "rgba(90,80,140,0.25)" "rgba(70,65,120,0.30)" 97
}

# ---------------------------------------------------------------------------------------
# Icon2_256: an open book on a deep evening-blue tile, light rising from its pages.
# ---------------------------------------------------------------------------------------
draw_icon() {
  local S=256
  local tile="$work/icon-tile.png" mask="$work/icon-mask.png" rise="$work/icon-rise.png"
  local book="$work/icon-book.png"

  convert -size "${S}x${S}" xc: -sparse-color Bilinear \
    "0,0 #3B4C8C 255,0 #5A4A8E 0,255 #1F2F5C 255,255 #2C2A5A" "$tile"

  convert -size "${S}x${S}" xc:none \
    -draw "$(rays 128 168 11 270 150 4.5 0.22 5)" \
    -fill "rgba(255,236,180,0.75)" -draw "circle 128,160 128,108" \
    -channel RGBA -blur 0x12 +channel "$rise"

  # Two pages bowed like an open book seen from slightly above, a spine between them and
  # a few grey strokes that stand for lines of text (no letters).
  local lines="" y
  for y in 142 154 166 178; do
    lines+="line 62,$((y + 4)) 116,$((y + 2)) line 140,$((y + 2)) 194,$((y + 4)) "
  done
  convert -size "${S}x${S}" xc:none \
    -fill "rgba(0,0,0,0.35)" -draw "path 'M 36,136 Q 82,118 128,140 Q 174,118 220,136 L 222,206 Q 174,190 128,214 Q 82,190 34,206 Z'" \
    -channel RGBA -blur 0x6 +channel \
    -fill "#C9A46A" -draw "path 'M 40,128 Q 84,112 128,134 Q 172,112 216,128 L 218,200 Q 172,186 128,208 Q 84,186 38,200 Z'" \
    -fill "#FBF3E2" -draw "path 'M 46,122 Q 88,106 126,126 L 126,198 Q 88,180 44,192 Z'" \
    -fill "#F4E8CF" -draw "path 'M 130,126 Q 168,106 210,122 L 212,192 Q 168,180 130,198 Z'" \
    -stroke "rgba(140,110,70,0.45)" -strokewidth 3 -fill none -draw "$lines" \
    -stroke "#B08850" -strokewidth 2 -draw "line 128,128 128,204" \
    "$book"

  convert -size "${S}x${S}" xc:black -fill white -draw "roundrectangle 8,8 247,247 52,52" "$mask"

  convert "$tile" "$rise" -compose Screen -composite "$book" -compose Over -composite \
    "$mask" -alpha off -compose CopyOpacity -composite \
    "${png_flags[@]}" "PNG32:$out/Icon2_256.png"
}

# ---------------------------------------------------------------------------------------
# readingBible: shown 200x200 with rounded corners, so a square still life: an open book on
# parchment under a soft shaft of light.
# ---------------------------------------------------------------------------------------
draw_reading() {
  local S=400
  local paper="$work/rb-paper.png" shaft="$work/rb-shaft.png" book="$work/rb-book.png"
  local vignette="$work/rb-vignette.png"

  convert -size "$((S / 2))x$((S / 2))" -seed 314 plasma:grey50-grey50 -colorspace Gray -blur 0x2 \
    -resize "${S}x${S}!" \( -size "${S}x${S}" xc: -sparse-color Bilinear \
    "0,0 #EAD9B5 399,0 #E2CCA0 0,399 #D7BC8A 399,399 #C9A874" \) \
    +swap -compose SoftLight -composite "$paper"

  convert -size "${S}x${S}" radial-gradient:"rgba(0,0,0,0)-rgba(60,35,10,0.55)" \
    -distort SRT "1.25 0" "$vignette"

  convert -size "${S}x${S}" xc:none \
    -draw "$(rays 120 -60 8 62 38 3.5 0.30 17)" \
    -fill "rgba(255,248,225,0.45)" -draw "circle 210,250 210,150" \
    -channel RGBA -blur 0x16 +channel "$shaft"

  local lines="" y
  for y in 222 238 254 270 286 302; do
    lines+="line 86,$((y + 6)) 186,$((y + 2)) line 214,$((y + 2)) 314,$((y + 6)) "
  done
  convert -size "${S}x${S}" xc:none \
    -fill "rgba(50,30,10,0.45)" -draw "path 'M 44,214 Q 124,180 200,214 Q 276,180 356,214 L 362,344 Q 276,318 200,356 Q 124,318 38,344 Z'" \
    -channel RGBA -blur 0x10 +channel \
    -fill "#7A4E2C" -draw "path 'M 50,200 Q 126,170 200,204 Q 274,170 350,200 L 354,332 Q 274,308 200,344 Q 126,308 46,332 Z'" \
    -fill "#FCF6E8" -draw "path 'M 62,190 Q 130,162 196,196 L 196,330 Q 130,298 58,318 Z'" \
    -fill "#F5EAD2" -draw "path 'M 204,196 Q 270,162 338,190 L 342,318 Q 270,298 204,330 Z'" \
    -stroke "rgba(120,90,60,0.40)" -strokewidth 4 -fill none -draw "$lines" \
    -stroke "rgba(150,110,60,0.6)" -strokewidth 3 -draw "line 200,200 200,340" \
    -stroke none -fill "#9E2B3A" -draw "path 'M 252,182 L 266,176 L 268,262 L 260,252 L 252,262 Z'" \
    "$book"

  convert "$paper" "$vignette" -compose Over -composite "$book" -compose Over -composite \
    "$shaft" -compose Screen -composite \
    -depth 8 "${png_flags[@]}" "PNG24:$out/readingBible.png"
}

# ---------------------------------------------------------------------------------------
# IntroMovie: warm light drifting across a soft gradient, 5 s at 24 fps, 1400x1000 (shown
# framed 1400x1000 behind the window). Every motion is periodic in the movie's length, so
# the last frame leads back into the first when the player loops.
# ---------------------------------------------------------------------------------------
draw_movie() {
  local W=1400 H=1000 PAD=120
  local BW=$((W + 2 * PAD)) BH=$((H + 2 * PAD)) R=2400
  local bg="$work/mv-bg.png" beams="$work/mv-beams.png" grain="$work/mv-grain.png"
  local sun="$work/mv-sun.png"

  convert -size "$((BW / 8))x$((BH / 8))" -seed 2718 plasma:grey50-grey50 -colorspace Gray \
    -blur 0x3 -resize "${BW}x${BH}!" "$grain"
  convert -size "${BW}x${BH}" xc: -sparse-color Shepards \
    "0,0 #C98E5C $((BW - 1)),0 #A45E50 $((BW / 2)),$((BH / 3)) #C98B5E 0,$((BH - 1)) #7A4552 $((BW - 1)),$((BH - 1)) #3C2D4E" \
    \( "$grain" -evaluate multiply 0.35 -evaluate add 32% \) -compose SoftLight -composite "$bg"

  # The beams sit on a black square centred on their source, so turning the layer sways
  # them about that source; screened over the picture, black leaves it unchanged. The
  # source is placed just above the top edge, left of centre.
  glow "$sun" 700 "255,236,200" 0.42
  convert -size "${R}x${R}" xc:black \
    -draw "$(rays $((R / 2)) $((R / 2)) 12 66 70 2.6 0.15 29)" \
    -blur 0x24 "$sun" -geometry "$(at $((R / 2)) $((R / 2)) 700)" -compose Over -composite \
    "$beams"

  local T=5 FPS=24
  local sx=420 sy=-140
  ffmpeg -v error -y \
    -loop 1 -framerate "$FPS" -t "$T" -i "$bg" \
    -loop 1 -framerate "$FPS" -t "$T" -i "$beams" \
    -filter_complex "\
[0:v]format=rgb24,crop=$W:$H:x='$PAD+$PAD*0.8*sin(2*PI*t/$T)':y='$PAD+$PAD*0.6*cos(2*PI*t/$T)',format=gbrp[b];\
[1:v]format=rgb24,rotate=a='0.05*sin(2*PI*t/$T)':c=black,crop=$W:$H:$((R / 2 - sx)):$((R / 2 - sy)),format=gbrp[l];\
[b][l]blend=all_mode=screen,eq=brightness='0.02*sin(2*PI*t/$T)':eval=frame,format=yuv420p[v]" \
    -map "[v]" -an -c:v libx264 -preset slow -crf 21 -tune grain -pix_fmt yuv420p -threads 1 \
    -x264-params "keyint=$((T * FPS)):min-keyint=$((T * FPS))" \
    -movflags +faststart -map_metadata -1 -fflags +bitexact -flags:v +bitexact \
    "$out/IntroMovie.mp4"
}

# ---------------------------------------------------------------------------------------
# Sounds. sox -R keeps its dither repeatable.
# ---------------------------------------------------------------------------------------

# chime_note FILE FREQUENCY START_S LENGTH_S: a bell-like note (fundamental plus a quiet
# octave) with a quick attack and a long fading tail, delayed by START_S.
chime_note() {
  sox -R -n -r 44100 -c 1 -b 16 "$1" synth "$4" sine "$2" synth "$4" sine mix "$(awk -v f="$2" 'BEGIN { print f * 2 }')" \
    vol 0.6 fade q 0.006 "$4" "$(awk -v l="$4" 'BEGIN { print l - 0.02 }')" \
    fade l 0 "$4" "$4" pad "$3" 0
}

draw_sounds() {
  # Cheering: a rising arpeggio C5 E5 G5 C6.
  chime_note "$work/n1.wav" 523.25 0.00 0.70
  chime_note "$work/n2.wav" 659.25 0.09 0.70
  chime_note "$work/n3.wav" 783.99 0.18 0.70
  chime_note "$work/n4.wav" 1046.50 0.27 0.80
  sox -R -m "$work/n1.wav" "$work/n2.wav" "$work/n3.wav" "$work/n4.wav" -b 16 "$out/cheering.wav" \
    pad 0 0.15 reverb 30 50 60 fade t 0 1.22 0.2 norm -3

  # Disappointing: a soft tone sliding down a fourth, dying away.
  sox -R -n -r 44100 -c 1 -b 16 "$work/fall.wav" synth 0.95 sine 392:294 \
    synth 0.95 sine mix 784:588 vol 0.7 fade q 0.02 0.95 0.55 pad 0 0.1 reverb 25 50 50 \
    fade t 0 1.05 0.1 norm -4
  ffmpeg -v error -y -i "$work/fall.wav" -ac 1 -c:a libmp3lame -b:a 64k \
    -map_metadata -1 -fflags +bitexact -flags:a +bitexact -id3v2_version 0 \
    "$out/disappointing.mp3"
}

draw_headers
draw_icon
draw_reading
draw_movie
draw_sounds

ls -l "$out"
