# A Galera cluster of MariaDB servers on loopback: every node has its own folder, ports and
# socket under one cluster folder; the first node to start bootstraps, the others join by state
# transfer (mariadb-backup). Used by scripts/cluster, scripts/run --cluster, stress and bench.
# shellcheck shell=bash

QB_CLUSTER_PACKAGES=(galera-4 mariadb-backup socat)

# The cluster folder: QUILLBOX_CLUSTER_DIR, else the user's own under the data folder.
qb_cluster_dir() {
  echo "${QUILLBOX_CLUSTER_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/quillbox/cluster}"
}

qb_galera_provider() {
  local p
  for p in /usr/lib/galera/libgalera_smm.so /usr/lib/libgalera_smm.so /usr/lib64/galera-4/libgalera_smm.so; do
    [ -f "$p" ] && { echo "$p"; return 0; }
  done
  return 1
}

# A free port below the kernel's range for outgoing connections, so that no link between the
# nodes can take it before the node listening on it starts.
qb_cluster_free_port() {
  local port
  for _ in $(seq 1 200); do
    port=$(( 20000 + RANDOM % 12000 ))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then echo "$port"; return 0; fi
  done
  return 1
}

qb_cluster_node_count() {
  local dir; dir="$(qb_cluster_dir)"
  [ -f "$dir/nodes" ] && cat "$dir/nodes" || echo 0
}

# Port N of node I (N: 1 client, 2 replication, 3 incremental transfer, 4 state transfer).
qb_cluster_port() { sed -n "${1}p" "$(qb_cluster_dir)/ports" | cut -d' ' -f"$2"; }

qb_cluster_socket() { echo "$(qb_cluster_dir)/node$1/data/mysqld.sock"; }

qb_cluster_node_sql() {
  mariadb --no-defaults --socket="$(qb_cluster_socket "$1")" -uroot -N -B -e "$2"
}

qb_cluster_node_state() {
  qb_cluster_node_sql "$1" "SELECT VARIABLE_VALUE FROM information_schema.GLOBAL_STATUS
    WHERE VARIABLE_NAME = 'WSREP_LOCAL_STATE_COMMENT'" 2>/dev/null
}

# The server writes its pid file only once it has its state; until then the pid it was started
# with tells whether it still runs.
qb_cluster_node_pid() {
  local node; node="$(qb_cluster_dir)/node$1"
  cat "$node/data/mysqld.pid" 2>/dev/null || cat "$node/launch.pid" 2>/dev/null
}

qb_cluster_node_running() {
  local pid; pid="$(qb_cluster_node_pid "$1")"
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null
}

# "host:port,host:port,..." of every node, in node order: the till's server list.
qb_cluster_servers() {
  local i list=""
  for i in $(seq 1 "$(qb_cluster_node_count)"); do
    list="${list:+$list,}127.0.0.1:$(qb_cluster_port "$i" 1)"
  done
  echo "$list"
}

qb_cluster_write_config() {
  local i="$1" n="$2" dir node address="" j
  dir="$(qb_cluster_dir)"; node="$dir/node$i"
  for j in $(seq 1 "$n"); do address="${address:+$address,}127.0.0.1:$(qb_cluster_port "$j" 2)"; done
  mkdir -p "$node/tmp"
  local user_line=""
  [ "$(id -u)" -eq 0 ] && user_line="user=root"
  cat >"$node/my.cnf" <<EOF
[mysqld]
$user_line
datadir=$node/data
tmpdir=$node/tmp
socket=$node/data/mysqld.sock
pid-file=$node/data/mysqld.pid
log-error=$node/data/error.log
port=$(qb_cluster_port "$i" 1)
bind-address=127.0.0.1
skip-log-bin
max-connections=300
innodb-buffer-pool-size=${QB_CLUSTER_BUFFER_POOL:-192M}
innodb-flush-log-at-trx-commit=0
innodb-doublewrite=0
innodb-autoinc-lock-mode=2
binlog-format=ROW
default-storage-engine=InnoDB
wsrep-on=ON
wsrep-provider=$(qb_galera_provider)
wsrep-cluster-name=quillbox
wsrep-cluster-address=gcomm://$address
wsrep-node-name=node$i
wsrep-node-address=127.0.0.1:$(qb_cluster_port "$i" 2)
wsrep-node-incoming-address=127.0.0.1:$(qb_cluster_port "$i" 1)
wsrep-provider-options="gmcast.listen_addr=tcp://127.0.0.1:$(qb_cluster_port "$i" 2);ist.recv_addr=127.0.0.1:$(qb_cluster_port "$i" 3);gcache.size=128M;evs.suspect_timeout=PT3S;evs.inactive_timeout=PT6S;evs.install_timeout=PT4S"
wsrep-sst-method=mariabackup
wsrep-sst-receive-address=127.0.0.1:$(qb_cluster_port "$i" 4)
wsrep-sst-auth=root:
[sst]
sst-syslog=-1
[client]
socket=$node/data/mysqld.sock
EOF
}

# Waits until node I answers and is Synced, at most SECONDS (default 120).
qb_cluster_wait_synced() {
  local i="$1" limit="${2:-120}" start=$SECONDS
  while [ $((SECONDS - start)) -lt "$limit" ]; do
    [ "$(qb_cluster_node_state "$i")" = "Synced" ] && return 0
    qb_cluster_node_running "$i" || break
    sleep 0.5
  done
  qb_log "node $i did not reach Synced; its log:"
  tail -n 30 "$(qb_cluster_dir)/node$i/data/error.log" >&2
  return 1
}

# Starts node I (bootstrap when BOOTSTRAP=1) and waits until it is Synced.
qb_cluster_start_node() {
  local i="$1" bootstrap="${2:-0}" dir node
  dir="$(qb_cluster_dir)"; node="$dir/node$i"
  qb_cluster_node_running "$i" && return 0
  if [ ! -d "$node/data/mysql" ]; then
    mkdir -p "$node/data"
    if [ "$bootstrap" = 1 ]; then
      mariadb-install-db --defaults-file="$node/my.cnf" --auth-root-authentication-method=socket \
        --skip-test-db >"$node/install.log" 2>&1 \
        || { qb_log "mariadb-install-db failed:"; cat "$node/install.log" >&2; return 1; }
    fi
  fi
  local extra=()
  if [ "$bootstrap" = 1 ]; then
    extra=(--wsrep-new-cluster)
    # The last node standing may bootstrap again after a full stop.
    [ -f "$node/data/grastate.dat" ] && sed -i 's/^safe_to_bootstrap: 0/safe_to_bootstrap: 1/' "$node/data/grastate.dat"
  fi
  rm -f "$node/data/mysqld.pid"
  "$(qb_mariadbd)" --defaults-file="$node/my.cnf" "${extra[@]}" </dev/null >>"$node/server.out" 2>&1 &
  echo $! >"$node/launch.pid"
  qb_cluster_wait_synced "$i" "${QB_CLUSTER_WAIT:-180}"
}

qb_cluster_any_running() {
  local i
  for i in $(seq 1 "$(qb_cluster_node_count)"); do
    qb_cluster_node_running "$i" && { echo "$i"; return 0; }
  done
  return 1
}

# Starts every node that is not running; a cluster where none runs is bootstrapped from the
# node that stopped last (safe_to_bootstrap), else the first.
qb_cluster_start() {
  local n="${1:-3}" dir i
  dir="$(qb_cluster_dir)"
  qb_galera_provider >/dev/null || { qb_log "galera-4 is not installed"; return 1; }
  mkdir -p "$dir"; chmod 700 "$dir"
  if [ ! -f "$dir/ports" ]; then
    : >"$dir/ports"
    local used=" "
    for i in $(seq 1 "$n"); do
      local line="" p k
      for k in 1 2 3 4; do
        for _ in $(seq 1 50); do p="$(qb_cluster_free_port)"; [[ "$used" == *" $p "* ]] || break; done
        used="$used$p "; line="${line:+$line }$p"
      done
      echo "$line" >>"$dir/ports"
    done
    echo "$n" >"$dir/nodes"
  fi
  n="$(qb_cluster_node_count)"
  for i in $(seq 1 "$n"); do qb_cluster_write_config "$i" "$n"; done
  local first
  if ! first="$(qb_cluster_any_running)"; then
    first=1
    for i in $(seq 1 "$n"); do
      grep -q '^safe_to_bootstrap: 1' "$dir/node$i/data/grastate.dat" 2>/dev/null && { first="$i"; break; }
    done
    qb_log "bootstrapping the cluster on node $first"
    qb_cluster_start_node "$first" 1 || return 1
  fi
  if [ ! -f "$dir/password" ]; then
    (umask 077; head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' >"$dir/password")
    local pw; pw="$(cat "$dir/password")"
    qb_cluster_node_sql "$first" "CREATE USER IF NOT EXISTS 'quillbox'@'127.0.0.1' IDENTIFIED BY '$pw';
      CREATE USER IF NOT EXISTS 'quillbox'@'localhost' IDENTIFIED BY '$pw';
      GRANT ALL PRIVILEGES ON *.* TO 'quillbox'@'127.0.0.1';
      GRANT ALL PRIVILEGES ON *.* TO 'quillbox'@'localhost';" || return 1
  fi
  for i in $(seq 1 "$n"); do
    qb_cluster_node_running "$i" && continue
    qb_log "node $i joins"
    qb_cluster_start_node "$i" 0 || return 1
  done
}

qb_cluster_stop_node() {
  local i="$1" pid datadir
  datadir="$(qb_cluster_dir)/node$i/data"
  qb_cluster_node_running "$i" || return 0
  pid="$(qb_cluster_node_pid "$i")"
  mariadb-admin --no-defaults --socket="$datadir/mysqld.sock" -uroot shutdown >/dev/null 2>&1 \
    || { [ -n "$pid" ] && kill "$pid" 2>/dev/null; }
  for _ in $(seq 1 120); do
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.5
  done
  kill -9 "$pid" 2>/dev/null || true
}

# Stops the nodes one after the other, the first last, so it may bootstrap the next start.
qb_cluster_stop() {
  local i n; n="$(qb_cluster_node_count)"
  for i in $(seq "$n" -1 1); do qb_cluster_stop_node "$i"; done
}

qb_cluster_status() {
  local i n state size; n="$(qb_cluster_node_count)"
  [ "$n" -gt 0 ] || { echo "no cluster in $(qb_cluster_dir)"; return 1; }
  printf 'node\taddress\tstate\tcluster size\n'
  for i in $(seq 1 "$n"); do
    state="stopped"; size="-"
    if qb_cluster_node_running "$i"; then
      state="$(qb_cluster_node_state "$i")"; state="${state:-starting}"
      size="$(qb_cluster_node_sql "$i" "SELECT VARIABLE_VALUE FROM information_schema.GLOBAL_STATUS
        WHERE VARIABLE_NAME = 'WSREP_CLUSTER_SIZE'" 2>/dev/null)"
    fi
    printf 'node%s\t127.0.0.1:%s\t%s\t%s\n' "$i" "$(qb_cluster_port "$i" 1)" "$state" "${size:--}"
  done
}

# A throw-away cluster in a temporary folder for stress and bench, removed on every way out;
# exports what the test programs read (the first node as the test server, every node's address
# in QUILLBOX_TEST_DB_SERVERS, how to kill and restart a node).
qb_start_test_cluster() {
  local n="${1:-3}" base=/tmp
  [ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
  QB_TEST_CLUSTER="$(mktemp -d "$base/qbc.XXXXXX")"
  export QUILLBOX_CLUSTER_DIR="$QB_TEST_CLUSTER"
  trap 'qb_cluster_stop; rm -rf "$QB_TEST_CLUSTER"' EXIT
  trap 'exit 130' INT TERM
  qb_cluster_start "$n" || return 1
  export QUILLBOX_TEST_DB_HOST=127.0.0.1
  export QUILLBOX_TEST_DB_PORT="$(qb_cluster_port 1 1)"
  export QUILLBOX_TEST_DB_USER=quillbox
  export QUILLBOX_TEST_DB_PASSWORD="$(cat "$QB_TEST_CLUSTER/password")"
  export QUILLBOX_TEST_DB_SOCKET="$(qb_cluster_socket 1)"
  export QUILLBOX_TEST_DB_SERVERS="$(qb_cluster_servers)"
  # "<command> N" kills node N without warning / starts it again until it is Synced.
  export QUILLBOX_TEST_NODE_KILL="kill -9 \$(cat '$QB_TEST_CLUSTER'/node\$0/launch.pid)"
  export QUILLBOX_TEST_NODE_START="export QUILLBOX_CLUSTER_DIR='$QB_TEST_CLUSTER'; source '$QB_ROOT/scripts/lib/common.sh'; source '$QB_ROOT/scripts/lib/cluster.sh'; qb_cluster_start_node \$0 0"
}
