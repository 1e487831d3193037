#!/usr/bin/env bash
# Every GLSL file of the shader folder compiles under the Khronos reference
# compiler for the version it declares, with no error and no warning: a driver
# that offers exactly that version must accept what we ship. Each file is
# checked as a context is given it, the files it takes in (#include) expanded;
# a taken-in file (*.glsl) is checked through the stages that take it in.
# Usage: shaders_valid.sh SHADER_DIR SHADER_SOURCE
# (SHADER_SOURCE [--es] FILE prints a file as a context, or OpenGL ES's, is given it.)
set -uo pipefail
dir=$1 shader_source=$2
command -v glslangValidator >/dev/null || { echo "glslangValidator is missing (glslang-tools)"; exit 1; }
checked=0; failed=0
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/es"

# Validates what the compiler is given (named as the file, for its stage).
validate() {
  local report status
  report=$(glslangValidator "$@" 2>&1); status=$?
  if [ $status -ne 0 ] || grep -qE 'ERROR|WARNING' <<<"$report"; then
    echo "$report"
    failed=$((failed + 1))
  fi
}

for file in "$dir"/*.vert "$dir"/*.geom "$dir"/*.frag; do
  [ -e "$file" ] || continue
  checked=$((checked + 1))
  name=$(basename "$file")
  "$shader_source" "$file" >"$scratch/$name" || { failed=$((failed + 1)); continue; }
  validate "$scratch/$name"
done
# The OpenGL ES sources (named *ES.*) must say so: a desktop #version there
# would pass above and fail on an ES driver. Each ES vertex stage links with
# its fragment stage, so that their interfaces (and the precisions of shared
# uniforms, which ES requires to agree) are checked as a pair.
for file in "$dir"/*ES.vert "$dir"/*ES.frag; do
  [ -e "$file" ] || continue
  checked=$((checked + 1))
  if ! head -n 1 "$file" | grep -qx '#version 300 es'; then
    echo "$file: an ES source must start with #version 300 es"
    failed=$((failed + 1))
  fi
done
for vertex in "$dir"/*ES.vert; do
  [ -e "$vertex" ] || continue
  name=$(basename "$vertex")
  fragment=${name%.vert}.frag
  [ -e "$scratch/$fragment" ] || { echo "$vertex: no $fragment to link with"; failed=$((failed + 1)); continue; }
  validate -l "$scratch/$name" "$scratch/$fragment"
done
# The shared files as OpenGL ES takes them: every vertex and fragment file
# that has no ES counterpart of its own (geometry stages never reach ES).
for file in "$dir"/*.vert "$dir"/*.frag; do
  case $file in *ES.vert|*ES.frag) continue ;; esac
  name=$(basename "$file")
  [ -e "$dir/${name%.*}ES.${name##*.}" ] && continue
  grep -q '^#version 330' "$file" || continue
  checked=$((checked + 1))
  "$shader_source" --es "$file" >"$scratch/es/$name" || { failed=$((failed + 1)); continue; }
  echo "$file as OpenGL ES takes it:" >"$scratch/es/heading"
  before=$failed
  validate "$scratch/es/$name"
  [ "$failed" -gt "$before" ] && cat "$scratch/es/heading"
done
echo "$checked shader checks, $failed with errors or warnings"
[ "$checked" -gt 0 ] && [ "$failed" -eq 0 ]
