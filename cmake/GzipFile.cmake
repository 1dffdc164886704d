# cmake -DSOURCE=FILE -DOUTPUT=FILE.gz -P GzipFile.cmake: compresses FILE as Debian's policy
# asks of manual pages and changelogs: the best compression, and neither the file's name nor
# its time in the header (gzip -9n), so that two builds give the same bytes.
execute_process(COMMAND gzip -9n -c ${SOURCE} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "gzip could not compress ${SOURCE}")
endif()
