# Results of a configure's compiler checks; tools/libraries.sh with ZARNITH_RECHECK=1 writes them anew.
set(HAVE_FCNTL_H "1" CACHE INTERNAL "")
set(HAVE_UNISTD_H "1" CACHE INTERNAL "")
