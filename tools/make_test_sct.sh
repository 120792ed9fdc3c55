#!/bin/sh
# Writes the default section file data/test.sct with sctool:
#   make_test_sct.sh SCTOOL OUT [EXPECTED]
# With EXPECTED, the new file must be byte-identical to it (the committed one).
#
# A main tube (radius 0.45) with a three-lobed swell, two constant offsets
# whose radius and angle phase drift so that the tunnel bends, and a two-lobed
# wave that changes the cross-section's shape. The start fits in a radius of
# 0.72 inside limits of 0.9; the profile runs counter-clockwise seen from +z.
set -eu
"$1" make "$2" \
  --step 0.0015,0.001,2,0,2,0 \
  --limits -0.9,-0.9,0.9,0.9 \
  --component 0 0.45,0.05,0,3,0,1 \
  --component 1 0.1,0,0,0,0,0 \
  --component 2 0.08,0,0,0,90,0 \
  --component 3 0,0.04,0,2,0,1
if [ $# -ge 3 ]; then
  cmp "$2" "$3"
fi
