#!/usr/bin/env bash
# Every GLSL file of the shader folder compiles under the Khronos reference
# compiler for the version it declares, with no error and no warning: a driver
# that offers exactly that version must accept what we ship.
# Usage: shaders_valid.sh SHADER_DIR
set -uo pipefail
dir=$1
command -v glslangValidator >/dev/null || { echo "glslangValidator is missing (glslang-tools)"; exit 1; }
checked=0; failed=0
for file in "$dir"/*.vert "$dir"/*.geom "$dir"/*.frag; do
  [ -e "$file" ] || continue
  checked=$((checked + 1))
  report=$(glslangValidator "$file" 2>&1); status=$?
  if [ $status -ne 0 ] || grep -qE 'ERROR|WARNING' <<<"$report"; then
    echo "$report"
    failed=$((failed + 1))
  fi
done
echo "$checked shader files checked, $failed with errors or warnings"
[ "$checked" -gt 0 ] && [ "$failed" -eq 0 ]
