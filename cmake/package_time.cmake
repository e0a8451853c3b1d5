# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). Every file of
# the zip gets one fixed time, the release time of this version, so that the
# zip's bytes do not depend on when the files were built or checked out:
# CPack's archive writer takes all times of an entry from SOURCE_DATE_EPOCH.
# The zip also holds each time as local DOS time, which follows TZ: UTC.
set(ENV{SOURCE_DATE_EPOCH} 1767225600)  # 2026-01-01 00:00:00 UTC
set(ENV{TZ} UTC0)
