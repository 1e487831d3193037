# shellcheck shell=bash
# What Debian's Emscripten needs of the environment (sourced, not run).
# Its emcc loads the acorn module from Debian's node-acorn package, which a node
# that is not Debian's own does not look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# The package ships its system libraries prebuilt in a frozen cache of its own;
# a cache elsewhere would have to be built, from ports it cannot download.
unset EM_CACHE
